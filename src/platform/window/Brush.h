#pragma once
// A solid brush of one colour, used to paint a control's background.

#include <QBrush>

#include "platform/window/Color.h"

namespace win {

class Brush {
  public:
    explicit Brush(const Color& color) : color_(color) {}
    const Color& GetColor() const { return color_; }
    QBrush ToQBrush() const { return QBrush(color_.ToQColor()); }

  private:
    Color color_;
};

}  // namespace win
