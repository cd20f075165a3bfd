#pragma once
// A face that the program's resources name and were laid out with ("MS Shell
// Dlg" for dialog templates, "Courier New" for the pane), known by its metrics
// in font units, so that the layout does not hang on the faces a desktop has:
// a template's dialog units are those of its design face, and whatever face
// stands in for it is set at a size that takes no more room.
//
// A stand-in fits when it takes no more room than the design face. For a
// proportional design face the room is its dialog base units (see
// DialogUnits), as the platform measures dialog fonts. For a fixed-pitch one
// it is the character cell: the width of "M", not rounded, since the pane
// gives every character a cell that wide and the cell decides how many
// characters a row holds (a proportional stand-in must fit its widest
// letters, not its average), and the line height in whole pixels.

#include <QFont>
#include <string_view>

#include "platform/window/DialogUnits.h"

namespace win {

class DesignFace {
  public:
    // The design face of a face name (case ignored); nullptr for a name
    // without one, whose faces are taken as the desktop gives them.
    static const DesignFace* Find(std::string_view faceName);

    // The units of this face at `pointSize` on a 96 DPI screen, the
    // resolution the templates were drawn at. They do not change with the
    // desktop's resolution: the shell window's size is given in pixels.
    DialogUnits Units(double pointSize) const;
    // Whether `font`, on the desktop's resolution, takes no more room than
    // this face at `pointSize`.
    bool Fits(const QFont& font, double pointSize) const;
    // `font` at the largest size not above `pointSize`, in steps of a
    // quarter point, that fits within Units(pointSize); a face as large as
    // the design face keeps `pointSize`. Never below one point.
    QFont Fit(QFont font, double pointSize) const;

    bool FixedPitch() const { return fixedPitch_; }

    constexpr DesignFace(bool fixedPitch, int unitsPerEm, int ascent, int descent,
                         int alphabetAdvance)
        : fixedPitch_(fixedPitch),
          unitsPerEm_(unitsPerEm),
          ascent_(ascent),
          descent_(descent),
          alphabetAdvance_(alphabetAdvance) {}

  private:
    double PixelsPerUnit(double pointSize) const;

    bool fixedPitch_;
    // Font units: the em square, ascent and descent, and the advances of
    // "A".."Z" and "a".."z" added up.
    int unitsPerEm_;
    int ascent_;
    int descent_;
    int alphabetAdvance_;
};

}  // namespace win
