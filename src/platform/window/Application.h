#pragma once
// The process's toolkit application. Its dispatch of every event runs the
// handler guarded (rt::DispatchGuarded): a C++ exception that a handler lets
// escape is raised as a runtime error and handed to the error block, so no
// exception unwinds through the toolkit.
//
// Making it starts the display platform under a PlatformStartWatch: without
// a usable display the program ends with one line on standard error and
// exit code -1 (255) instead of the toolkit's abort. Then the translation
// the user's locale asks for is installed (Translations::InstallForUser).

#include <QApplication>

#include "platform/window/PlatformStartWatch.h"

namespace win {

// The watch is a base before QApplication, so that it is in force while the
// toolkit's constructor starts the platform.
class Application : private PlatformStartWatch, public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace win
