#include "platform/window/DialogUnits.h"

#include <QFontMetricsF>
#include <cmath>

namespace win {
namespace {

// MulDiv: a * b / c rounded to nearest, halves away from zero.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

DialogUnits DialogUnits::FromFont(const QFont& font) {
    const QFontMetricsF metrics(font);
    return FromMetrics(metrics.horizontalAdvance(
                           QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                       metrics.ascent(), metrics.descent());
}

DialogUnits DialogUnits::FromMetrics(double alphabetAdvance, double ascent, double descent) {
    const int baseX = (static_cast<int>(std::lround(alphabetAdvance)) / 26 + 1) / 2;
    const int baseY = static_cast<int>(std::ceil(ascent) + std::ceil(descent));
    return DialogUnits(baseX > 0 ? baseX : 1, baseY > 0 ? baseY : 1);
}

int DialogUnits::ToPixelsX(int units) const {
    return MulDiv(units, baseX_, 4);
}
int DialogUnits::ToPixelsY(int units) const {
    return MulDiv(units, baseY_, 8);
}

QRect DialogUnits::ToPixels(const DialogRect& rect) const {
    return QRect(ToPixelsX(rect.x), ToPixelsY(rect.y), ToPixelsX(rect.width),
                 ToPixelsY(rect.height));
}

}  // namespace win
