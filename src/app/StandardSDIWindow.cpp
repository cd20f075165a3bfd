#include "app/StandardSDIWindow.h"

#include <stdexcept>

#include "platform/runtime/Activation.h"
#include "platform/runtime/Program.h"
#include "platform/window/App.h"
#include "platform/window/Icon.h"

namespace app {
namespace {
constexpr char kModule[] = "Standard SDI";
}

StandardSDIWindow::StandardSDIWindow(rt::Object* oOwner) : win::TopAppWindow(oOwner) {
    RT_ENTER("STANDARDSDIWINDOW:INIT", kModule);
    RT_LINE();
    Icon(win::Icon(win::ResourceID(101, rt::GetInst())));
    EnableStatusBar(false);
}

win::TopAppWindow& StandardSDIWindow::Close(win::CloseEvent& oEvent) {
    RT_ENTER("STANDARDSDIWINDOW:CLOSE", kModule);
    RT_LINE();
    auto* app = dynamic_cast<win::App*>(Owner());
    if (!app) throw std::runtime_error("StandardSDIWindow: the owner is not the application");
    app->Quit();
    win::TopAppWindow::Close(oEvent);
    return *this;
}

}  // namespace app
