#pragma once
// The shell: the top-level window in which the serial test window lives. It
// shows icon 101 and no status bar until App:Start gives it its own icons.
// Closing it ends the application: Close sends Quit to its owner (the
// application object) before the library's own close.

#include "platform/window/TopAppWindow.h"

namespace app {

class StandardSDIWindow : public win::TopAppWindow {
  public:
    explicit StandardSDIWindow(rt::Object* oOwner);

    win::TopAppWindow& Close(win::CloseEvent& oEvent) override;

    std::string ClassName() const override { return "STANDARDSDIWINDOW"; }
};

}  // namespace app
