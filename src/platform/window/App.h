#pragma once
// The application object: runs the event loop (Exec) until Quit. There is
// one per process; it uses the toolkit application that the process made
// (see Application). Start is the program's entry point into the window
// layer: the layer's own Start only runs the event loop; the program's
// application class replaces it.

#include <QPointer>
#include <string>

#include "platform/runtime/Usual.h"

class QEventLoop;

namespace win {

class App : public rt::Object {
  public:
    App();
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The program's start; returns when the event loop has ended.
    virtual rt::Usual Start();
    // Runs the event loop on the calling thread until Quit. Returns at once
    // when Quit was called while no loop ran since the last Exec ended, so
    // that a Quit sent before the loop starts is not lost.
    void Exec();
    // Ends the innermost loop that Exec runs.
    void Quit();
    bool IsRunning() const { return loop_ != nullptr; }

    std::string ClassName() const override { return "APP"; }

  private:
    QEventLoop* loop_ = nullptr;
    bool quitPending_ = false;
};

// The window layer's start function: sends Start to the application object
// and hands back its result.
rt::Usual Start(App& app);

}  // namespace win
