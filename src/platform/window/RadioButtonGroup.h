#pragma once
// A group box that carries a value through the radio buttons it groups:
// FillUsing pairs each button with a value; the group's Value is the value
// of the checked button (NIL when none is checked); assigning a value checks
// its button, and a value no button carries changes nothing. The group
// refers to its buttons and does not own them: their window does, and keeps
// them while the group is used.

#include <utility>
#include <vector>

#include "platform/window/GroupBox.h"
#include "platform/window/RadioButton.h"

namespace win {

class RadioButtonGroup : public GroupBox {
  public:
    using Entry = std::pair<RadioButton*, rt::Usual>;

    RadioButtonGroup(DataWindow* owner, const ResourceID& id);

    void FillUsing(std::vector<Entry> entries);
    rt::Usual Value() const override;
    void Value(const rt::Usual& value) override;

    std::string ClassName() const override { return "RADIOBUTTONGROUP"; }

  private:
    std::vector<Entry> entries_;
};

}  // namespace win
