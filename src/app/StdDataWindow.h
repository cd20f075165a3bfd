#pragma once
// A standard data window: fills its owner's canvas with system menu, default
// border and maximise and minimise boxes, shows icon 101, and is shown at
// once, ending in the browse presentation. The program declares it but
// never creates it. Its owner must be a StandardSDIWindow: any other owner
// fails the runtime's instance check (rt::CheckInstance, a data-type error)
// during construction; when the error handler lets it go on, the window
// keeps no owner shell.

#include "platform/window/DataWindow.h"

namespace app {

class StandardSDIWindow;

class StdDataWindow : public win::DataWindow {
  public:
    StdDataWindow(rt::Object* oOwner, const rt::Usual& a2 = rt::NIL, const rt::Usual& a3 = rt::NIL,
                  const rt::Usual& a4 = rt::NIL);

    StandardSDIWindow* OwnerShell() const { return oOwner_; }
    std::string ClassName() const override { return "STDDATAWINDOW"; }

  private:
    StandardSDIWindow* oOwner_ = nullptr;
};

}  // namespace app
