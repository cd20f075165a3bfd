#pragma once
// The application object of the program: the window layer's App with the
// program's Start. Start fills the settings tables, builds, centres and
// shows the shell "Тест COM-порта" (kShellSize), opens the serial test window
// inside it and runs the event loop until Quit (the shell's close or the test
// window's exit button). It returns NIL after the loop has ended.
//
// Given the process's held stop signals, Start watches them while the loop
// runs: a signal ends the test window's test, if one runs, and then the
// process (StopSignalWatch).

#include "platform/os/StopSignals.h"
#include "platform/window/App.h"
#include "platform/window/Dimension.h"

namespace app {

// The shell's outer size, in pixels.
inline constexpr win::Dimension kShellSize{673, 395};

class App : public win::App {
  public:
    explicit App(os::StopSignals* stop = nullptr) : stop_(stop) {}
    rt::Usual Start() override;

  private:
    os::StopSignals* stop_;
};

}  // namespace app
