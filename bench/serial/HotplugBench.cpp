// Hot-plug latency on a device tree of the bench's own (the tests' device
// tree: sysfs-like entries and pseudo-terminal nodes):
//
//   - plug: from a USB adapter's node appearing to its port's tooltip text
//     being ready (the monitor's change notice, on which the window sets its
//     tooltips in the same call);
//   - return: from the adapter of a running test coming back (its node
//     appearing) to the test running again (the port no longer lost).
//
//   serial_hotplug_bench [rounds]      (default 30)
//
// Prints the median and the worst of each. Target: both under 100 ms, so a
// person sees the change as immediate.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "DeviceTree.h"
#include "PtyPair.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/Serial.h"

namespace {

using serial::testing::DeviceTree;
using serial::testing::NotifyRecorder;
using serial::testing::PumpUntil;

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-8s median %6.1f ms   worst %6.1f ms   (%zu rounds)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    DeviceTree tree;
    QTemporaryDir store;
    if (!tree.Ok() || !store.isValid()) return 1;
    auto monitor = std::make_shared<serial::DeviceMonitor>(
        tree.Root(), store.filePath("registry.ini").toStdString());
    monitor->Watch();
    serial::PortMap map([](const std::string&) { return std::optional<std::string>(); });
    map.SetDevices(monitor);
    serial::PortMap::Install(std::move(map));

    QElapsedTimer clock;
    std::string tooltip;
    QObject::connect(monitor.get(), &serial::DeviceMonitor::Changed,
                     [&] { tooltip = serial::PortMap::Current().Describe("Com1"); });

    std::vector<double> plug;
    for (int i = 0; i < rounds; ++i) {
        clock.start();
        tree.AddUsb("ttyUSB0");
        if (!PumpUntil([&] { return !tooltip.empty(); })) return 2;
        plug.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        tree.Remove("ttyUSB0");
        if (!PumpUntil([&] { return tooltip.empty(); })) return 2;
    }

    std::vector<double> back;
    NotifyRecorder recorder;
    serial::Serial port(recorder.Handle());
    tree.AddUsb("ttyUSB0");
    if (!PumpUntil([&] { return !tooltip.empty(); }) || !port.Open("Com1")) return 3;
    port.SetBaud(9600);
    port.SetParity(0);
    port.SetByteSize(8);
    port.SetStopBits(0);
    if (!port.SetProtocol()) return 3;
    port.EnableEvents(serial::EV_RXCHAR);
    for (int i = 0; i < rounds; ++i) {
        tree.Remove("ttyUSB0");
        if (!PumpUntil([&] { return port.IsLost() && tooltip.empty(); })) return 4;
        clock.start();
        tree.AddUsb(i % 2 ? "ttyUSB0" : "ttyUSB1");
        if (!PumpUntil([&] { return !port.IsLost(); })) return 4;
        back.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        // The next round pulls whichever name it came back under.
        if (i % 2 == 0) {
            tree.Remove("ttyUSB1");
            if (!PumpUntil([&] { return port.IsLost() && tooltip.empty(); })) return 4;
            tree.AddUsb("ttyUSB0");
            if (!PumpUntil([&] { return !port.IsLost(); })) return 4;
        }
    }
    Report("plug", plug);
    Report("return", back);
    serial::PortMap::Install(serial::PortMap());
    return 0;
}
