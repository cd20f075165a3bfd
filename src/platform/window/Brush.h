#pragma once
// A solid brush of one colour, used to paint a control's background.

#include "platform/window/Color.h"

namespace win {

class Brush {
  public:
    explicit Brush(const Color& color) : color_(color) {}
    const Color& GetColor() const { return color_; }

  private:
    Color color_;
};

}  // namespace win
