#pragma once
// The application object of the program: the window layer's App with the
// program's Start. Start fills the settings tables, builds, centres and
// shows the shell "Тест COM-порта" (673 x 395), opens the serial test window
// inside it and runs the event loop until Quit (the shell's close or the test
// window's exit button). It returns NIL after the loop has ended.

#include "platform/window/App.h"

namespace app {

class App : public win::App {
  public:
    rt::Usual Start() override;
};

}  // namespace app
