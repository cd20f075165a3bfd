#include "app/WindowStart.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <memory>

#include "app/App.h"
#include "app/CheckTables.h"
#include "app/CommandLineParser.h"
#include "app/CommandLineTexts.h"
#include "app/PortListCommand.h"
#include "app/ProgramResources.h"
#include "app/SymbolNumbers.h"
#include "check/RunCheck.h"
#include "platform/os/RegistryStore.h"
#include "platform/os/StderrLine.h"
#include "platform/runtime/LateBinding.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"
#include "platform/window/Application.h"

namespace app {
namespace {

int Print(std::FILE* stream, const std::string& text, int code) {
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
    return code;
}

// A run whose output did not all reach standard output (a full disk) did
// not do what it was asked: it ends with -1 and says why, whatever its own
// code, so that a script never takes an empty or cut report for a result.
rt::Usual Written(int code) {
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return rt::Usual(code);
    // The write that failed may lie well before this flush, its reason long
    // overwritten, so the line names no reason.
    os::StderrLine(texts::kCannotWriteOutput);
    return rt::Usual(-1);
}

rt::Usual RunWindow(int& argc, char** argv, CommandLineOptions options, os::StopSignals& stop) {
    win::Application application(argc, argv);
    // The machine's serial devices, numbered and followed while the
    // application runs.
    auto devices = std::make_shared<serial::DeviceMonitor>(serial::DeviceScanner::DefaultRoot(),
                                                           os::RegistryStore::DefaultPath());
    devices->Watch();
    options.ports.SetDevices(std::move(devices));
    serial::PortMap::Install(std::move(options.ports));
    ProgramResources().InstallAsProgram();
    App app(&stop);
    const rt::Usual result = rt::Send(app, sym::kSTART);
    // The monitor's watcher goes while the application still exists.
    serial::PortMap::Install(serial::PortMap());
    return result;
}

// A line check: no toolkit application, so no display. Ports are numbered
// as the window numbers them.
int RunLineCheck(CommandLineOptions options) {
    options.ports.SetDevices(std::make_shared<serial::DeviceMonitor>(
        serial::DeviceScanner::DefaultRoot(), os::RegistryStore::DefaultPath()));
    serial::PortMap::Install(std::move(options.ports));
    const int code = check::RunCheck(options.check, CheckTables(), stdout, stderr);
    return code == check::kExitUsage ? -1 : code;
}

rt::Usual Run(int& argc, char** argv, CommandLineOptions options, os::StopSignals& stop) {
    // One case per mode; every mode but Window runs without a display.
    switch (options.mode) {
        case CommandLineOptions::Mode::Help:
            return Written(Print(stdout, CommandLineParser::HelpText(), 0));
        case CommandLineOptions::Mode::Version:
            return Written(Print(stdout, CommandLineParser::VersionText(), 0));
        case CommandLineOptions::Mode::Check:
            return Written(RunLineCheck(std::move(options)));
        case CommandLineOptions::Mode::ListPorts:
            return Written(ListPorts(std::move(options.ports)));
        case CommandLineOptions::Mode::Window:
            break;
    }
    return RunWindow(argc, argv, std::move(options), stop);
}

}  // namespace

// The window library's own function: like the library's other code it
// registers no activation.
rt::Usual WindowStart(int& argc, char** argv, os::StopSignals& stop) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    CommandLineParser::Result parsed = CommandLineParser().Parse(arguments);
    if (!parsed.error.empty()) return rt::Usual(Print(stderr, parsed.error + "\n", -1));

    const rt::Usual result = Run(argc, argv, std::move(parsed.options), stop);
    // Whatever ran is over and no port is open: a stop signal that came
    // meanwhile, and was not taken yet, ends the process as it asked.
    stop.Resend();
    return result;
}

}  // namespace app
