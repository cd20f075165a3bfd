// The program's entry: the toolkit application, the port map from the
// command line, the program's resources, the application object and its
// start. Exit code 0 after a normal end, -1 when the command line is wrong.
#include <cstdio>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/ProgramResources.h"
#include "platform/serial/PortMap.h"
#include "platform/window/Application.h"

int main(int argc, char** argv) {
    win::Application application(argc, argv);

    std::vector<std::string> args(argv, argv + argc);
    serial::PortMap ports;
    std::string error;
    if (!ports.TakeArguments(args, error)) {
        std::fprintf(stderr, "comtest: %s\n", error.c_str());
        return -1;
    }
    serial::PortMap::Install(std::move(ports));

    app::ProgramResources().InstallAsProgram();
    app::App app;
    win::Start(app);
    return 0;
}
