#pragma once
// A static text control showing its template caption.

#include "platform/window/Control.h"

namespace win {

class FixedText : public Control {
  public:
    FixedText(DataWindow* owner, const ResourceID& id);
    std::string ClassName() const override { return "FIXEDTEXT"; }
};

}  // namespace win
