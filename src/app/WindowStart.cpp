#include "app/WindowStart.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/ProgramResources.h"
#include "app/SymbolNumbers.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/serial/PortMap.h"
#include "platform/window/Application.h"

namespace app {

rt::Usual WindowStart(int& argc, char** argv) {
    RT_ENTER("START", "Start");
    RT_LINE();
    win::Application application(argc, argv);

    RT_LINE();
    std::vector<std::string> args(argv, argv + argc);
    serial::PortMap ports;
    std::string error;
    if (!ports.TakeArguments(args, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return rt::Usual(-1);
    }
    serial::PortMap::Install(std::move(ports));

    RT_LINE();
    ProgramResources().InstallAsProgram();
    RT_LINE();
    App app;
    RT_LINE();
    return rt::Send(app, sym::kSTART);
}

}  // namespace app
