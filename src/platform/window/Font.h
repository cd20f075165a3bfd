#pragma once
// A font given as point size and face name, with a Bold switch. Face names
// of the program's resources are resolved to faces the desktop has: the
// dialog face "MS Shell Dlg" (and "MS Shell Dlg 2") to the sans face with
// the platform dialog face's widths (Liberation Sans when installed, else the
// desktop's default sans face), "Courier New" to a monospace face with the same metrics
// (Liberation Mono when installed, else the desktop's fixed face). Other
// names are passed on unchanged. A face standing in for one of these design
// faces (see DesignFace) is set smaller when it is wider or taller than the
// design face at that size, so text still fits the room laid out for it; the
// Liberation faces share the design faces' metrics and keep the size.

#include <QFont>
#include <optional>
#include <string>

#include "platform/window/DialogUnits.h"

namespace win {

class Font {
  public:
    // `family` is the platform's font family code, left empty (0) by the
    // program: the face name alone decides.
    Font(int family, int pointSize, std::string faceName);

    void Bold(bool on) { bold_ = on; }
    bool Bold() const { return bold_; }
    int PointSize() const { return pointSize_; }
    const std::string& FaceName() const { return faceName_; }

    QFont ToQFont() const;
    // The dialog units of the design face at this size, which templates in
    // this font are laid out in; none for a face without a design face.
    std::optional<DialogUnits> DesignUnits() const;

    // The family that `faceName` resolves to on this desktop.
    static QString ResolveFace(const std::string& faceName);

  private:
    int pointSize_;
    std::string faceName_;
    bool bold_ = false;
};

}  // namespace win
