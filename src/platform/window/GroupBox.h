#pragma once
// A group box: a titled frame drawn behind the controls placed over it.

#include "platform/window/Control.h"

namespace win {

class GroupBox : public Control {
  public:
    GroupBox(DataWindow* owner, const ResourceID& id);
    std::string ClassName() const override { return "GROUPBOX"; }
};

}  // namespace win
