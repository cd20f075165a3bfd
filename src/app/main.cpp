// The program's entry: the toolkit application, the program's resources,
// the application object and its start.
#include "app/App.h"
#include "app/ProgramResources.h"
#include "platform/window/Application.h"

int main(int argc, char** argv) {
    win::Application application(argc, argv);
    app::ProgramResources().InstallAsProgram();
    app::App app;
    win::Start(app);
    return 0;
}
