// The line check's own cost: the default run (the window's settings) on the
// built-in loopback line and on a pseudo-terminal pair whose far end echoes
// from a thread of its own. Neither has a wire time, so every second
// measured is the check's. Prints per setting the wall time of the whole run
// but its flow-control check, which is the run's once, shared out over its
// settings (the quiet-line drain before each included),
// the worst setting's own time, the whole run's time and the CPU it used;
// then runs the default check on the loopback line again and again for a
// soak and prints the resident memory along the way.
//
//   check_bench [runs] [soak seconds]      (default 5 and 60)
//
// Targets: under 10 ms a setting on average; the soak's resident memory
// flat (its last figure within 1 MiB of the one after the first run).

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
#include "support/ProcessStats.h"

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
    double worst = 0, wall = 0, cpu = 0, flow = 0;
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
        // The flow-control check is the run's once, not any setting's.
        for (const auto& f : report.flow) flow += f.seconds;
        for (const auto& row : report.rows) {
            worst = std::max(worst, row.seconds);
            ++settings;
            carried += row.verdict == check::Verdict::Ok ? 1 : 0;
        }
    }
    std::printf(
        "%-8s default run %.3f s wall, %.3f s CPU, of which flow control %.1f ms; %zu settings a "
        "run"
        " (%zu carried every byte); per setting (the rest of the run's wall time shared out, drain"
        " included): mean %.1f ms (goal < 10 ms), worst setting's own %.1f ms\n",
        label, wall / runs, cpu / runs, 1000 * flow / runs,
        settings / static_cast<std::size_t>(runs), carried / static_cast<std::size_t>(runs),
        1000 * (wall - flow) / static_cast<double>(settings), 1000 * worst);
}

// The default run on the loopback line again and again for `seconds`,
// printing the resident memory after the first run and every ten seconds.
void Soak(int seconds) {
    serial::PortMap map;
    (void)map.AddMapping("Com1=loop");
    serial::PortMap::Install(std::move(map));
    check::CheckOptions options;
    options.port = "Com1";
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    long first = 0, last = 0, peak = 0;
    std::size_t runs = 0, rows = 0, failed = 0;
    auto nextPrint = start + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
        check::LineCheck check(options, app::CheckTables());
        if (!check.Open()) return;
        for (const auto& row : check.Run().rows) {
            ++rows;
            failed += row.verdict == check::Verdict::Ok ? 0 : 1;
        }
        last = bench::RssKiB();
        peak = std::max(peak, last);
        if (++runs == 1) first = last;
        if (std::chrono::steady_clock::now() >= nextPrint) {
            std::printf(
                "soak     %3.0f s: %zu runs, resident %ld KiB\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                runs, last);
            nextPrint += std::chrono::seconds(10);
        }
    }
    std::printf(
        "soak     %d s on the loopback line: %zu runs, %zu settings (%zu not ok); resident after "
        "the first run %ld KiB, at the end %ld KiB, peak %ld KiB (goal: end - first < 1024 KiB)\n",
        seconds, runs, rows, failed, first, last, peak);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int soak = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;
    Measure("loop", "loop", runs);
    {
        EchoPty pty;
        Measure("pty", pty.Path(), runs);
    }
    Soak(soak);
    return 0;
}
