// Soak of the serial component on the built-in loopback line: for a given
// time (default 600 s), mixed traffic goes out through Write and comes back
// as received bytes, drained the way the receive pane drains them (on each
// WM_COMMNOTIFY, ReceiverPending and Read(1) until nothing waits). The mix:
// single key-like bytes, short lines, bursts of some KiB and floods of
// hundreds of KiB, with quiet spells between, and every 30 s the port is
// closed and opened again once the line is quiet. Every byte that comes
// back is checked against what went out.
//
//   loopback_soak_bench [SECONDS]     (default 600)
//
// Prints RSS and open descriptors at the start, after a warm-up minute
// (allocator and caches settled) and at the end, once a minute meanwhile.
// Targets: no byte mismatch or loss, descriptors at the end equal to those
// after the warm-up, RSS at the end within 1 MiB of the warm-up figure.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/os/PostedMessage.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/Serial.h"
#include "support/ProcessStats.h"

namespace {

using bench::RssKiB;

long OpenDescriptors() {
    long count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count - 1;  // the directory's own descriptor while it is listed
}

// Bytes written and not yet echoed; received bytes must match its front.
class Expected {
  public:
    void Add(const std::string& bytes) {
        pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    }
    std::size_t Outstanding() const { return pending_.size(); }
    // One received byte: FALSE when it is not the next one sent (or none was).
    bool Take(char byte) {
        if (pending_.empty()) return false;
        const bool match = pending_.front() == byte;
        pending_.pop_front();
        return match;
    }

  private:
    std::deque<char> pending_;
};

class Drainer : public QObject {
  public:
    explicit Drainer(Expected& expected) : expected_(expected) {}
    serial::Serial* port = nullptr;
    std::uint64_t received = 0;
    std::uint64_t mismatches = 0;

    bool event(QEvent* e) override {
        if (e->type() != os::PostedMessageEvent::EventType()) return QObject::event(e);
        while (port->ReceiverPending() != 0) {
            const std::string byte = port->Read(1);
            if (byte.size() != 1) {
                ++mismatches;
                break;
            }
            if (!expected_.Take(byte[0])) ++mismatches;
            ++received;
        }
        return true;
    }

  private:
    Expected& expected_;
};

struct Snapshot {
    long rssKiB;
    long fds;
};

Snapshot Take() {
    return {RssKiB(), OpenDescriptors()};
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 600;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: loopback_soak_bench [SECONDS]\n");
        return 2;
    }

    serial::PortMap map;
    if (const auto added = map.AddMapping("Com1=loop"); !added) {
        std::fprintf(stderr, "%s\n", added.Error().c_str());
        return 1;
    }
    serial::PortMap::Install(map);

    Expected expected;
    Drainer drainer(expected);
    const os::HWND window = os::RegisterWindowHandle(&drainer);
    serial::Serial port(window);
    drainer.port = &port;
    const auto open = [&] {
        if (!port.Open("Com1") || !port.SetProtocol()) {
            std::fprintf(stderr, "open: %s\n", port.ErrorDesc().c_str());
            return false;
        }
        port.EnableEvents(serial::EV_RXCHAR);
        return true;
    };
    if (!open()) return 1;

    const Snapshot start = Take();
    Snapshot warm = start;
    bool warmTaken = false;
    std::uint64_t sent = 0;
    int reopens = 0;
    bool reopenDue = false;
    std::mt19937 rng(20261207);
    QElapsedTimer wall;
    wall.start();
    long lastReport = 0;
    long lastReopen = 0;

    // The sender: every 2 ms one step of the mix. Outstanding bytes stay
    // under half the transmit backlog, so nothing is dropped by design.
    constexpr std::size_t kMaxOutstanding = 512 * 1024;
    QTimer sender;
    QObject::connect(&sender, &QTimer::timeout, [&] {
        const long elapsed = static_cast<long>(wall.elapsed() / 1000);
        if (!warmTaken && elapsed >= std::min(60L, seconds / 2)) {
            warm = Take();
            warmTaken = true;
        }
        if (elapsed - lastReport >= 60) {
            lastReport = elapsed;
            const Snapshot now = Take();
            std::printf("%5ld s  out %llu  in %llu  mismatches %llu  RSS %ld KiB  fds %ld\n",
                        elapsed, static_cast<unsigned long long>(sent),
                        static_cast<unsigned long long>(drainer.received),
                        static_cast<unsigned long long>(drainer.mismatches), now.rssKiB, now.fds);
            std::fflush(stdout);
        }
        if (elapsed >= seconds) {
            if (expected.Outstanding() == 0) app.quit();
            return;
        }
        if (elapsed - lastReopen >= 30) reopenDue = true;
        if (reopenDue) {
            // Let the line fall quiet, then close and open again.
            if (expected.Outstanding() != 0) return;
            port.Close();
            if (!open()) app.exit(1);
            ++reopens;
            reopenDue = false;
            lastReopen = elapsed;
            return;
        }
        if (expected.Outstanding() > kMaxOutstanding) return;
        const unsigned roll = rng() % 100;
        std::size_t size = 0;
        if (roll < 40)
            size = 1;  // a key
        else if (roll < 70)
            size = 2 + rng() % 80;  // a line
        else if (roll < 90)
            size = 1024 + rng() % 8192;  // a burst
        else if (roll < 93)
            size = 64 * 1024 + rng() % (256 * 1024);  // a flood
        // else: a quiet step
        std::string bytes(size, '\0');
        for (auto& c : bytes) c = static_cast<char>(rng() & 0xFF);
        expected.Add(bytes);
        port.Write(bytes);
        sent += size;
    });
    sender.start(2);
    const int status = app.exec();
    // Taken with the port open, as at the start.
    const Snapshot end = Take();
    port.Close();
    if (!warmTaken) warm = start;

    const bool intact = drainer.mismatches == 0 && drainer.received == sent;
    std::printf("duration           %ld s, %d reopens\n", seconds, reopens);
    std::printf("traffic            %llu bytes out, %llu back, %llu mismatches -> %s\n",
                static_cast<unsigned long long>(sent),
                static_cast<unsigned long long>(drainer.received),
                static_cast<unsigned long long>(drainer.mismatches), intact ? "intact" : "CORRUPT");
    std::printf("RSS                start %ld KiB, after warm-up %ld KiB, end %ld KiB\n",
                start.rssKiB, warm.rssKiB, end.rssKiB);
    std::printf("open descriptors   start %ld, after warm-up %ld, end %ld\n", start.fds, warm.fds,
                end.fds);
    const bool met = status == 0 && intact && end.fds == start.fds && end.fds == warm.fds &&
                     end.rssKiB <= warm.rssKiB + 1024;
    std::printf("targets            %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
