#pragma once
// The error box: a TextBox with the error icon and the layer's error
// caption.

#include "platform/window/TextBox.h"

namespace win {

class ErrorBox : public TextBox {
  public:
    ErrorBox(Window* owner, std::string text);
    std::string ClassName() const override { return "ERRORBOX"; }
};

}  // namespace win
