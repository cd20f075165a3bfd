#include "platform/window/Application.h"

#include "platform/runtime/ErrorSystem.h"

namespace win {

Application::Application(int& argc, char** argv) : PlatformStartWatch(), QApplication(argc, argv) {
    Started();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    rt::DispatchGuarded([&] { handled = QApplication::notify(receiver, event); }, "event dispatch");
    return handled;
}

}  // namespace win
