#pragma once
// A push button (never a default button). A click sends the owner window the
// method named by the button's HyperLabel; the owner's handler runs guarded
// (rt::DispatchGuarded: an escaping C++ exception becomes a runtime error). A click on a button
// whose owner has no such method does nothing. A focused button is pressed
// with Space or Enter as well.

#include "platform/window/Control.h"

namespace win {

class PushButton : public Control {
  public:
    PushButton(DataWindow* owner, const ResourceID& id);
    std::string ClassName() const override { return "PUSHBUTTON"; }

  private:
    void Clicked();
};

}  // namespace win
