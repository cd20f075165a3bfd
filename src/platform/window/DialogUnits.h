#pragma once
// Converts dialog units to pixels from a font's metrics, as the platform
// does: the horizontal base unit is the font's average character width
// (measured over "A".."Z" and "a".."z", rounded), the vertical base unit its
// character height (ascent and descent, each rounded up); x pixels are
// x * base / 4, y pixels y * base / 8, rounded to nearest. For the dialog
// font "MS Shell Dlg" 8 at 96 DPI this gives 6 and 13, so a 442 x 221
// template is 663 x 359 pixels; a larger font scales the whole window.

#include <QFont>
#include <QRect>

#include "platform/window/DialogTemplate.h"

namespace win {

class DialogUnits {
  public:
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}
    static DialogUnits FromFont(const QFont& font);

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(const DialogRect& rect) const;

  private:
    int baseX_;
    int baseY_;
};

}  // namespace win
