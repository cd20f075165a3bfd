#pragma once
// The process's toolkit application. Its dispatch of every event runs the
// handler guarded (rt::DispatchGuarded): a C++ exception that a handler lets
// escape is raised as a runtime error and handed to the error block, so no
// exception unwinds through the toolkit.

#include <QApplication>

namespace win {

class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace win
