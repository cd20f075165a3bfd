#pragma once
// An auto radio button; buttons of one template group exclude each other.
// Its value is whether it is checked. Tab reaches a group at its checked
// button (DataWindow); the arrow keys move within the group, checking the
// button they move to, and go round at its ends. Where the style's indicator
// is taller than the template's row, the button grows around the row's
// middle to hold it.

#include "platform/window/Control.h"

namespace win {

class RadioButton : public Control {
  public:
    RadioButton(DataWindow* owner, const ResourceID& id);

    bool IsChecked() const;
    void Check(bool on);
    rt::Usual Value() const override { return rt::Usual(IsChecked()); }
    void Value(const rt::Usual& value) override { Check(value.AsLogic()); }

    std::string ClassName() const override { return "RADIOBUTTON"; }
};

}  // namespace win
