#pragma once
// A font given as point size and face name, with a Bold switch. Face names
// of the program's resources are resolved to faces the desktop has: the
// dialog face "MS Shell Dlg" (and "MS Shell Dlg 2") to the sans face with
// the platform dialog face's widths (Liberation Sans when installed, else the
// desktop's default sans face), "Courier New" to a monospace face with the same metrics
// (Liberation Mono when installed, else the desktop's fixed face). Other
// names are passed on unchanged.

#include <QFont>
#include <string>

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

    // The family that `faceName` resolves to on this desktop.
    static QString ResolveFace(const std::string& faceName);

  private:
    int pointSize_;
    std::string faceName_;
    bool bold_ = false;
};

}  // namespace win
