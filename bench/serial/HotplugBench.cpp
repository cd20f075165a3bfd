// Hot-plug latency on a device tree of the bench's own (the tests' device
// tree: sysfs-like entries and pseudo-terminal nodes):
//
//   - plug: from a USB adapter's node appearing to its port's tooltip text
//     being ready (the monitor's change notice, on which the window sets its
//     tooltips in the same call);
//   - return: from the adapter of a running test coming back (its node
//     appearing) to the test running again (the port no longer lost).
//
//   - GUI thread: the CPU time the GUI thread spends on one change of the
//     device folder (a by-id link of a numbered device added or removed, as
//     udev does) on a tree of `ttys` serial devices, up to the window's nine
//     tooltips being described anew.
//
//   serial_hotplug_bench [rounds] [ttys]      (defaults 30 and 3000)
//
// Prints the median and the worst of each. Targets: plug and return under
// 100 ms, so a person sees the change as immediate; the GUI thread under
// 20 ms a change, so the window never stutters.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
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

double ThreadCpuMs() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// `count` serial devices that are neither UARTs nor USB, each with a sysfs
// entry and a node (a link to /dev/null: the scan never opens it).
void AddManyTtys(const std::string& root, int count) {
    namespace fs = std::filesystem;
    for (int i = 0; i < count; ++i) {
        const std::string name = "ttyBENCH" + std::to_string(i);
        const fs::path device = fs::path(root) / "sys/devices/platform/bench" / name;
        const fs::path entry = device / "tty" / name;
        fs::create_directories(entry);
        fs::create_symlink(fs::relative(device, entry), entry / "device");
        fs::create_symlink(fs::relative(entry, fs::path(root) / "sys/class/tty"),
                           fs::path(root) / "sys/class/tty" / name);
        fs::create_symlink("/dev/null", fs::path(root) / "dev" / name);
    }
}

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-24s median %6.1f ms   worst %6.1f ms   (%zu rounds)\n", what, ms[ms.size() / 2],
                ms.back(), ms.size());
}

int GuiThreadPerChange(int rounds, int ttys) {
    DeviceTree tree;
    QTemporaryDir store;
    if (!tree.Ok() || !store.isValid()) return 1;
    AddManyTtys(tree.Root(), ttys);
    std::filesystem::create_directories(tree.Root() + "/dev/serial/by-id");
    auto monitor = std::make_shared<serial::DeviceMonitor>(
        tree.Root(), store.filePath("registry.ini").toStdString());
    monitor->Watch();
    serial::PortMap map([](const std::string&) { return std::optional<std::string>(); });
    map.SetDevices(monitor);
    serial::PortMap::Install(std::move(map));
    // A by-id link of the device on Com1 comes and goes, as udev adds and
    // removes them: each change is one the window shows.
    const std::string link = tree.Root() + "/dev/serial/by-id/usb-bench-if00-port0";
    int changes = 0;
    QObject::connect(monitor.get(), &serial::DeviceMonitor::Changed, [&] {
        for (int n = 1; n <= 9; ++n) serial::PortMap::Current().Describe("Com" + std::to_string(n));
        ++changes;
    });
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        for (const bool plug : {true, false}) {
            const int before = changes;
            const double start = ThreadCpuMs();
            if (plug)
                std::filesystem::create_symlink("../../ttyBENCH0", link);
            else
                std::filesystem::remove(link);
            if (!PumpUntil([&] { return changes > before; }, std::chrono::seconds(30))) return 5;
            ms.push_back(ThreadCpuMs() - start);
        }
    }
    char what[32];
    std::snprintf(what, sizeof what, "GUI thread, %d ttys", ttys);
    Report(what, ms);
    // For comparison: the same tree read on the calling thread, as every
    // change once was.
    const double start = ThreadCpuMs();
    monitor->Rescan();
    std::printf("one rescan on the calling thread: %.1f ms\n", ThreadCpuMs() - start);
    serial::PortMap::Install(serial::PortMap());
    return 0;
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
    port.Close();
    serial::PortMap::Install(serial::PortMap());
    return GuiThreadPerChange(rounds, argc > 2 ? std::max(0, std::atoi(argv[2])) : 3000);
}
