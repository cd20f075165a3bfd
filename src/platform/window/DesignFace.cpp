#include "platform/window/DesignFace.h"

#include <QFontMetricsF>
#include <QString>
#include <cmath>

namespace win {
namespace {

// The dialog face has Arial's metrics (which Liberation Sans shares); Courier
// New's are Liberation Mono's. Every letter of Courier New is 1229 units wide.
constexpr DesignFace kDialogFace(false, 2048, 1854, 434, 62138);
constexpr DesignFace kCourierNew(true, 2048, 1705, 615, 52 * 1229);

constexpr double kDesignDpi = 96.0;
constexpr double kStep = 0.25;
constexpr double kSmallest = 1.0;
// Advances are measured in 1/64 pixel; a face of the design face's metrics
// may come out that much wider.
constexpr double kSubpixel = 1.0 / 64;

bool Named(std::string_view faceName, const char* name) {
    return QString::fromUtf8(faceName.data(), static_cast<qsizetype>(faceName.size()))
               .compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

}  // namespace

const DesignFace* DesignFace::Find(std::string_view faceName) {
    if (Named(faceName, "MS Shell Dlg") || Named(faceName, "MS Shell Dlg 2")) return &kDialogFace;
    if (Named(faceName, "Courier New")) return &kCourierNew;
    return nullptr;
}

double DesignFace::PixelsPerUnit(double pointSize) const {
    return pointSize * kDesignDpi / 72.0 / unitsPerEm_;
}

DialogUnits DesignFace::Units(double pointSize) const {
    const double perUnit = PixelsPerUnit(pointSize);
    return DialogUnits::FromMetrics(alphabetAdvance_ * perUnit, ascent_ * perUnit,
                                    descent_ * perUnit);
}

bool DesignFace::Fits(const QFont& font, double pointSize) const {
    if (!fixedPitch_) return DialogUnits::FromFont(font).FitsWithin(Units(pointSize));
    const QFontMetricsF metrics(font);
    const double perUnit = PixelsPerUnit(pointSize);
    const double cellWidth = alphabetAdvance_ / 52.0 * perUnit;
    const double lineHeight = std::ceil((ascent_ + descent_) * perUnit);
    return metrics.horizontalAdvance(QLatin1Char('M')) <= cellWidth + kSubpixel &&
           std::ceil(metrics.ascent() + metrics.descent()) <= lineHeight;
}

QFont DesignFace::Fit(QFont font, double pointSize) const {
    double size = pointSize;
    font.setPointSizeF(size);
    while (!Fits(font, pointSize) && size - kStep >= kSmallest) {
        size -= kStep;
        font.setPointSizeF(size);
    }
    return font;
}

}  // namespace win
