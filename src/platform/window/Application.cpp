#include "platform/window/Application.h"

#include "platform/runtime/ErrorSystem.h"
#include "platform/window/Translations.h"

namespace win {

Application::Application(int& argc, char** argv) : PlatformStartWatch(), QApplication(argc, argv) {
    Started();
    Translations::InstallForUser(*this);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    rt::DispatchGuarded([&] { handled = QApplication::notify(receiver, event); }, "event dispatch");
    return handled;
}

}  // namespace win
