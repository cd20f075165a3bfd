#include "app/WindowStart.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/ProgramResources.h"
#include "app/SymbolNumbers.h"
#include "platform/runtime/LateBinding.h"
#include "platform/serial/PortMap.h"
#include "platform/window/Application.h"

namespace app {

// The window library's own function: like the library's other code it
// registers no activation.
rt::Usual WindowStart(int& argc, char** argv) {
    win::Application application(argc, argv);

    std::vector<std::string> args(argv, argv + argc);
    serial::PortMap ports;
    std::string error;
    if (!ports.TakeArguments(args, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return rt::Usual(-1);
    }
    serial::PortMap::Install(std::move(ports));

    ProgramResources().InstallAsProgram();
    App app;
    return rt::Send(app, sym::kSTART);
}

}  // namespace app
