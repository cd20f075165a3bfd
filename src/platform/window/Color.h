#pragma once
// A colour made from one number: an index into the layer's sixteen-colour
// palette (0 black, 1 navy, 2 green, 3 teal, 4 maroon, 5 purple, 6 olive,
// 7 pale grey, 8 grey, 9 blue, 10 lime, 11 cyan, 12 red, 13 magenta,
// 14 yellow, 15 white). Indices wrap modulo 16. Pairs used as background and
// text are chosen for contrast: 1 on 7 is dark blue text on pale grey.

#include <QColor>
#include <cstdint>

namespace win {

class Color {
  public:
    explicit Color(std::uint32_t index);
    explicit Color(QColor rgb) : rgb_(rgb) {}
    QColor ToQColor() const { return rgb_; }

  private:
    QColor rgb_;
};

}  // namespace win
