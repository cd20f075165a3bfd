// Flood through the serial component alone: a pseudo-terminal's far end
// writes random bytes as fast as the line takes them (from its own thread),
// the near end is drained the way the receive pane drains it (on each
// WM_COMMNOTIFY, ReceiverPending and Read(1) until nothing waits). Prints
// throughput, GUI-thread CPU per MiB, the receive queue's peak, peak RSS and
// its growth, the longest event-loop stall (lateness of a 10 ms timer) and
// whether every byte arrived in order.
//
//   serial_flood_bench [MiB]      (default 32)
//
// Targets for the component alone: intact data, at least 10 MiB/s, RSS
// growth under 20 MiB, no stall of 50 ms or more, and at most 0.04
// GUI-thread CPU seconds per MiB: half the whole pane's budget of 0.08, so
// reading leaves the other half for rendering.

#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "platform/os/PostedMessage.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/Serial.h"
#include "support/ProcessStats.h"
#include "support/PtyCom1.h"

namespace {

using bench::RssKiB;
using bench::ThreadCpuSeconds;

// Drains the port on every notification, as the receive pane does, and
// checks each byte against the expected stream.
class Drainer : public QObject {
  public:
    Drainer(const std::string& expected) : expected_(expected) {}
    serial::Serial* port = nullptr;
    std::size_t received = 0;
    std::size_t mismatches = 0;
    std::uint32_t peakPending = 0;
    std::uint64_t reads = 0;

    bool event(QEvent* e) override {
        if (e->type() != os::PostedMessageEvent::EventType()) return QObject::event(e);
        std::uint32_t pending = port->ReceiverPending();
        if (pending > peakPending) peakPending = pending;
        while (pending != 0) {
            const std::string byte = port->Read(1);
            ++reads;
            if (received < expected_.size() && byte[0] != expected_[received]) ++mismatches;
            ++received;
            pending = port->ReceiverPending();
        }
        if (received >= expected_.size()) QCoreApplication::quit();
        return true;
    }

  private:
    const std::string& expected_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::size_t mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
    const std::size_t total = mib * 1024 * 1024;

    const std::string payload = bench::RandomPayload(total, 20240601);

    const int far = bench::OpenFarEndAsCom1();
    if (far < 0) return 1;

    Drainer drainer(payload);
    const os::HWND window = os::RegisterWindowHandle(&drainer);
    serial::Serial port(window);
    drainer.port = &port;
    if (!port.Open("Com1") || !port.SetProtocol()) {
        std::fprintf(stderr, "open: %s\n", port.ErrorDesc().c_str());
        return 1;
    }
    port.EnableEvents(serial::EV_RXCHAR);

    // Lateness of a 10 ms timer: how long the loop was kept from it.
    QElapsedTimer sinceTick;
    qint64 worstStallMs = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        worstStallMs = std::max(worstStallMs, sinceTick.elapsed() - 10);
        sinceTick.restart();
    });

    const long rssBefore = RssKiB();
    long rssPeak = rssBefore;
    QTimer rssProbe;
    QObject::connect(&rssProbe, &QTimer::timeout, [&] { rssPeak = std::max(rssPeak, RssKiB()); });
    rssProbe.start(20);

    std::thread writer([&] {
        std::size_t sent = 0;
        while (sent < total) {
            const ssize_t n =
                ::write(far, payload.data() + sent, std::min<std::size_t>(65536, total - sent));
            if (n <= 0) break;
            sent += static_cast<std::size_t>(n);
        }
    });

    const double cpuBefore = ThreadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    sinceTick.start();
    ticker.start(10);
    QTimer::singleShot(120000, &app, &QCoreApplication::quit);
    app.exec();
    const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const double cpu = ThreadCpuSeconds() - cpuBefore;
    rssPeak = std::max(rssPeak, RssKiB());
    writer.join();
    port.Close();
    ::close(far);

    const double mibDone = static_cast<double>(drainer.received) / (1024.0 * 1024.0);
    std::printf("payload            %zu MiB random bytes, seed 20240601\n", mib);
    std::printf("received           %zu of %zu bytes, %zu mismatches -> %s\n", drainer.received,
                total, drainer.mismatches,
                drainer.received == total && drainer.mismatches == 0 ? "intact" : "CORRUPT");
    std::printf("throughput         %.1f MiB/s\n", mibDone / seconds);
    std::printf("GUI-thread CPU     %.4f s/MiB (%.1f ns per byte, Read(1) and all)\n",
                cpu / mibDone, cpu * 1e9 / static_cast<double>(drainer.received));
    std::printf("queue peak         %u bytes\n", drainer.peakPending);
    std::printf("RSS                %ld KiB before, peak %ld KiB, growth %ld KiB\n", rssBefore,
                rssPeak, rssPeak - rssBefore);
    std::printf("longest stall      %lld ms\n", static_cast<long long>(worstStallMs));

    const bool intact = drainer.received == total && drainer.mismatches == 0;
    const bool met = intact && mibDone / seconds >= 10.0 && cpu / mibDone <= 0.04 &&
                     rssPeak - rssBefore < 20 * 1024 && worstStallMs < 50;
    std::printf("targets            %s\n", met ? "met" : "MISSED");
    return met ? 0 : 1;
}
