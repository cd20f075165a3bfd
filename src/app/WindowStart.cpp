#include "app/WindowStart.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/PortListCommand.h"
#include "app/ProgramResources.h"
#include "app/SymbolNumbers.h"
#include "platform/os/RegistryStore.h"
#include "platform/runtime/LateBinding.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"
#include "platform/window/Application.h"

namespace app {

// The window library's own function: like the library's other code it
// registers no activation.
rt::Usual WindowStart(int& argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    serial::PortMap ports;
    std::string error;
    if (!ports.TakeArguments(args, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return rt::Usual(-1);
    }
    // The listing needs no display, so it runs before the toolkit starts.
    if (std::find(args.begin() + 1, args.end(), "--list-ports") != args.end())
        return rt::Usual(ListPorts(std::move(ports)));

    win::Application application(argc, argv);
    // The machine's serial devices, numbered and followed while the
    // application runs.
    auto devices = std::make_shared<serial::DeviceMonitor>(serial::DeviceScanner::DefaultRoot(),
                                                           os::RegistryStore::DefaultPath());
    devices->Watch();
    ports.SetDevices(std::move(devices));
    serial::PortMap::Install(std::move(ports));

    ProgramResources().InstallAsProgram();
    App app;
    const rt::Usual result = rt::Send(app, sym::kSTART);
    // The monitor's watcher goes while the application still exists.
    serial::PortMap::Install(serial::PortMap());
    return result;
}

}  // namespace app
