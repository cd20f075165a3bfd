#pragma once
// The application object of the program: the window layer's App with the
// program's Start. Start fills the settings tables, builds, centres and
// shows the shell "Тест COM-порта" (kShellSize), opens the serial test window
// inside it and runs the event loop until Quit (the shell's close or the test
// window's exit button). It returns NIL after the loop has ended.

#include "platform/window/App.h"
#include "platform/window/Dimension.h"

namespace app {

// The shell's outer size, in pixels.
inline constexpr win::Dimension kShellSize{673, 395};

class App : public win::App {
  public:
    rt::Usual Start() override;
};

}  // namespace app
