// Sending through a full backlog: the component's Write is called with 16 KiB
// chunks whenever the backlog has room for one, so it stays near its 1 MiB
// limit, while a pseudo-terminal's far end reads 4 KiB at a time from its own
// thread; every write the kernel takes is partial. Prints throughput,
// GUI-thread CPU per MiB and whether every byte arrived in order.
//
//   serial_send_bench [MiB]       (default 64)
//
// Target: at most 0.02 GUI-thread CPU seconds per MiB sent, intact data.

#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/serial/PortMap.h"
#include "platform/serial/Serial.h"
#include "support/ProcessStats.h"
#include "support/PtyCom1.h"

namespace {

using bench::ThreadCpuSeconds;

constexpr std::size_t kChunk = 16 * 1024;
constexpr std::size_t kBacklogLimit = 1024 * 1024;
constexpr std::size_t kFarRead = 4096;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
    const std::size_t total = mib * 1024 * 1024;

    const std::string payload = bench::RandomPayload(total, 20240602);

    const int far = bench::OpenFarEndAsCom1();
    if (far < 0) return 1;

    serial::Serial port(os::HWND{});
    if (!port.Open("Com1") || !port.SetProtocol()) {
        std::fprintf(stderr, "open: %s\n", port.ErrorDesc().c_str());
        return 1;
    }

    std::atomic<std::size_t> consumed{0};
    std::size_t mismatches = 0;
    std::thread reader([&] {
        char buffer[kFarRead];
        std::size_t got = 0;
        while (got < total) {
            const ssize_t n = ::read(far, buffer, sizeof buffer);
            if (n <= 0) break;
            for (ssize_t i = 0; i < n; ++i)
                if (got + static_cast<std::size_t>(i) < total &&
                    buffer[i] != payload[got + static_cast<std::size_t>(i)])
                    ++mismatches;
            got += static_cast<std::size_t>(n);
            consumed.store(got, std::memory_order_release);
        }
    });

    // Bytes written but not yet read at the far end bound the backlog from
    // above, so a chunk written while that leaves room is never cut.
    QTimer ticker;
    ticker.start(1);
    const double cpuBefore = ThreadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    std::size_t written = 0;
    while (consumed.load(std::memory_order_acquire) < total && wall.elapsed() < 120000) {
        while (written < total &&
               written + kChunk - consumed.load(std::memory_order_acquire) <= kBacklogLimit) {
            const std::size_t n = std::min(kChunk, total - written);
            port.Write(payload.substr(written, n));
            written += n;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const double cpu = ThreadCpuSeconds() - cpuBefore;
    const std::size_t received = consumed.load();
    port.Close();
    ::close(far);
    reader.join();

    const double mibDone = static_cast<double>(received) / (1024.0 * 1024.0);
    const bool intact = received == total && mismatches == 0;
    std::printf("payload            %zu MiB random bytes, seed 20240602\n", mib);
    std::printf("received           %zu of %zu bytes, %zu mismatches -> %s\n", received, total,
                mismatches, intact ? "intact" : "CORRUPT");
    std::printf("throughput         %.1f MiB/s\n", mibDone / seconds);
    std::printf("GUI-thread CPU     %.4f s/MiB\n", cpu / mibDone);
    const bool met = intact && cpu / mibDone <= 0.02;
    std::printf("targets            %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
