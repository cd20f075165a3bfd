#pragma once
// Converts dialog units to pixels from a font's metrics, as the platform
// does: the horizontal base unit is the font's average character width
// (measured over "A".."Z" and "a".."z", rounded), the vertical base unit its
// character height (ascent and descent, each rounded up); x pixels are
// x * base / 4, y pixels y * base / 8, rounded to nearest. For the dialog
// font "MS Shell Dlg" 8 at 96 DPI this gives 6 and 13, so a 442 x 221
// template is 663 x 359 pixels; a larger font scales the whole window.
//
// Two sets of units compare by both base units: one fits within another when
// neither is larger.

#include <QFont>
#include <QRect>

#include "platform/window/DialogTemplate.h"

namespace win {

class DialogUnits {
  public:
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}
    static DialogUnits FromFont(const QFont& font);
    // The same reckoning from measures in pixels: the advance of "A".."Z"
    // and "a".."z" together, the ascent and the descent.
    static DialogUnits FromMetrics(double alphabetAdvance, double ascent, double descent);

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(const DialogRect& rect) const;

    bool FitsWithin(const DialogUnits& other) const {
        return baseX_ <= other.baseX_ && baseY_ <= other.baseY_;
    }
    bool operator==(const DialogUnits&) const = default;

  private:
    int baseX_;
    int baseY_;
};

}  // namespace win
