#pragma once
// The process's toolkit application. Its dispatch of every event catches a
// C++ exception that a handler let escape and hands it to the runtime's
// error system (see EventGuard), so no exception unwinds through the toolkit.

#include <QApplication>

namespace win {

class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace win
