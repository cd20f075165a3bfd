#pragma once
// A static text control showing its template caption.

#include "platform/window/Control.h"

namespace win {

class FixedText : public Control {
  public:
    FixedText(DataWindow* owner, const ResourceID& id);
    // Makes the text the label of `control`: screen readers name the
    // control by it.
    void LabelFor(const Control& control);
    std::string ClassName() const override { return "FIXEDTEXT"; }
};

}  // namespace win
