// The line check's own cost: the default run (the window's settings) on the
// built-in loopback line and on a pseudo-terminal pair whose far end echoes
// from a thread of its own. Neither has a wire time, so every second
// measured is the check's. Prints per setting the time beyond the pattern's
// wire time at the nominal rate (0 here), the whole run's time and the CPU
// it used.
//
//   check_bench [runs]      (default 5)
//
// Target: under 50 ms per setting beyond the pattern's time on the wire.

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/CheckTables.h"
#include "check/LineCheck.h"
#include "platform/serial/PortMap.h"

namespace {

double CpuSeconds() {
    rusage r{};
    ::getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// A pseudo-terminal whose master echoes every byte from its own thread.
class EchoPty {
  public:
    EchoPty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::grantpt(master_);
        ::unlockpt(master_);
        path_ = ::ptsname(master_);
        thread_ = std::thread([this] { Run(); });
    }
    ~EchoPty() {
        stop_ = true;
        thread_.join();
        ::close(master_);
    }
    const std::string& Path() const { return path_; }

  private:
    void Run() {
        char buffer[4096];
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            for (ssize_t done = 0; n > 0 && done < n && !stop_;) {
                const ssize_t w =
                    ::write(master_, buffer + done, static_cast<std::size_t>(n - done));
                if (w > 0) done += w;
            }
        }
    }
    int master_ = -1;
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

void Measure(const char* label, const std::string& device, int runs) {
    serial::PortMap map;
    (void)map.AddMapping("Com1=" + device);
    serial::PortMap::Install(std::move(map));

    check::CheckOptions options;
    options.port = "Com1";
    double worst = 0, sum = 0, wall = 0, cpu = 0;
    std::size_t settings = 0, carried = 0;
    for (int i = 0; i < runs; ++i) {
        const double cpuStart = CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        check::LineCheck check(options, app::CheckTables());
        if (const auto opened = check.Open(); !opened) {
            std::printf("%s: cannot open: %s\n", label, opened.Error().c_str());
            return;
        }
        const auto report = check.Run();
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpu += CpuSeconds() - cpuStart;
        for (const auto& row : report.rows) {
            worst = std::max(worst, row.seconds);
            sum += row.seconds;
            ++settings;
            carried += row.verdict == check::Verdict::Ok ? 1 : 0;
        }
    }
    std::printf(
        "%-8s default run %.3f s wall, %.3f s CPU; %zu settings a run (%zu carried every byte);"
        " per setting: mean %.1f ms, worst %.1f ms (goal < 50 ms)\n",
        label, wall / runs, cpu / runs, settings / static_cast<std::size_t>(runs),
        carried / static_cast<std::size_t>(runs), 1000 * sum / static_cast<double>(settings),
        1000 * worst);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    Measure("loop", "loop", runs);
    EchoPty pty;
    Measure("pty", pty.Path(), runs);
    return 0;
}
