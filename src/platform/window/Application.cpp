#include "platform/window/Application.h"

#include "platform/window/EventGuard.h"

namespace win {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportEscapedException(std::current_exception(), "event dispatch");
        return true;
    }
}

}  // namespace win
