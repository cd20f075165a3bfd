#include "platform/window/Font.h"

#include <QFontDatabase>
#include <QFontInfo>

#include "platform/window/DesignFace.h"

namespace win {

Font::Font(int /*family*/, int pointSize, std::string faceName)
    : pointSize_(pointSize), faceName_(std::move(faceName)) {}

QString Font::ResolveFace(const std::string& faceName) {
    const QString name = QString::fromStdString(faceName);
    if (name.compare(QLatin1String("MS Shell Dlg"), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String("MS Shell Dlg 2"), Qt::CaseInsensitive) == 0) {
        // The platform's dialog face has Arial's advance widths; Liberation
        // Sans shares them, so templates keep the size they were drawn at.
        if (QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
            return QStringLiteral("Liberation Sans");
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }
    if (name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0) {
        // Liberation Mono keeps Courier New's advance widths, so text laid out
        // for the one fits the other.
        if (QFontDatabase::hasFamily(QStringLiteral("Liberation Mono")))
            return QStringLiteral("Liberation Mono");
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }
    return name;
}

QFont Font::ToQFont() const {
    const int size = pointSize_ > 0 ? pointSize_ : 8;
    QFont font(ResolveFace(faceName_));
    font.setPointSize(size);
    font.setBold(bold_);
    const DesignFace* design = DesignFace::Find(faceName_);
    if (!design) return font;
    if (design->FixedPitch()) {
        // Hinted before it is measured, so the face measured is the face
        // shown.
        font.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
        font.setFixedPitch(true);
    }
    return design->Fit(font, size);
}

std::optional<DialogUnits> Font::DesignUnits() const {
    const DesignFace* design = DesignFace::Find(faceName_);
    if (!design) return std::nullopt;
    return design->Units(pointSize_ > 0 ? pointSize_ : 8);
}

}  // namespace win
