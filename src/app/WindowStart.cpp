#include "app/WindowStart.h"

#include <QString>
#include <QStringList>
#include <cstdio>

#include "app/App.h"
#include "app/CheckTables.h"
#include "app/CommandLineParser.h"
#include "app/ProgramResources.h"
#include "app/SymbolNumbers.h"
#include "check/RunCheck.h"
#include "platform/runtime/LateBinding.h"
#include "platform/serial/PortMap.h"
#include "platform/window/Application.h"

namespace app {
namespace {

rt::Usual Print(std::FILE* stream, const std::string& text, int code) {
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
    return rt::Usual(code);
}

rt::Usual RunWindow(int& argc, char** argv, CommandLineOptions options) {
    serial::PortMap::Install(std::move(options.ports));
    win::Application application(argc, argv);
    ProgramResources().InstallAsProgram();
    App app;
    return rt::Send(app, sym::kSTART);
}

// A line check: no toolkit application, so no display.
rt::Usual RunLineCheck(CommandLineOptions options) {
    serial::PortMap::Install(std::move(options.ports));
    const int code = check::RunCheck(options.check, CheckTables(), stdout, stderr);
    return rt::Usual(code == check::kExitUsage ? -1 : code);
}

}  // namespace

// The window library's own function: like the library's other code it
// registers no activation.
rt::Usual WindowStart(int& argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    CommandLineParser::Result parsed = CommandLineParser().Parse(arguments);
    if (!parsed.error.empty()) return Print(stderr, parsed.error + "\n", -1);

    // One case per mode; every mode but Window runs without a display.
    switch (parsed.options.mode) {
        case CommandLineOptions::Mode::Help:
            return Print(stdout, CommandLineParser::HelpText(), 0);
        case CommandLineOptions::Mode::Version:
            return Print(stdout, CommandLineParser::VersionText(), 0);
        case CommandLineOptions::Mode::Check:
            return RunLineCheck(std::move(parsed.options));
        case CommandLineOptions::Mode::Window:
            break;
    }
    return RunWindow(argc, argv, std::move(parsed.options));
}

}  // namespace app
