// Resources: identifiers, dialog units, icon groups, colours and fonts.
#include <gtest/gtest.h>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include "WindowTestModule.h"
#include "platform/window/Color.h"
#include "platform/window/DialogUnits.h"
#include "platform/window/Font.h"
#include "platform/window/Icon.h"

namespace win::testing {
namespace {

TEST(ResourceIDTest, MatchesByNumberOrByNameIgnoringCase) {
    struct Case {
        ResourceID id;
        std::uint32_t number;
        std::string name;
        bool matches;
    };
    const std::vector<Case> cases = {
        {ResourceID("FSerial"), 0, "FSERIAL", true},
        {ResourceID("fserial"), 0, "FSERIAL", true},
        {ResourceID("FSerial"), 0, "FSERIAL2", false},
        {ResourceID("FSerial"), 101, "", false},
        {ResourceID(101u), 101, "", true},
        {ResourceID(101u), 0, "101", false},
        {ResourceID(0u), 0, "", false},
        {ResourceID(""), 0, "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.id.Matches(c.number, c.name), c.matches) << c.id.ToString() << " vs " << c.name;
    EXPECT_EQ(ResourceID(101u).ToString(), "#101");
}

TEST(DialogUnitsTest, ConvertsWithTheBaseUnitsRoundingToNearest) {
    const DialogUnits units(6, 13);
    struct Case {
        DialogRect rect;
        QRect pixels;
    };
    const std::vector<Case> cases = {
        {{0, 0, 442, 221}, QRect(0, 0, 663, 359)},  // 221 * 13 / 8 = 359.1
        {{4, 3, 432, 78}, QRect(6, 5, 648, 127)},   // 3 * 13 / 8 = 4.875
        {{1, 1, 2, 4}, QRect(2, 2, 3, 7)},          // 1.5 rounds up; 6.5 up
        {{-2, -4, 0, 0}, QRect(-3, -7, 0, 0)},      // halves away from zero
    };
    for (const auto& c : cases) EXPECT_EQ(units.ToPixels(c.rect), c.pixels);
}

TEST(DialogUnitsTest, DialogFontGivesThePlatformBaseUnitsAndScales) {
    const QFont dialogFont = Font(0, 8, "MS Shell Dlg").ToQFont();
    if (QFontInfo(dialogFont).family() != QStringLiteral("Liberation Sans"))
        GTEST_SKIP() << "Liberation Sans is not installed";
    const DialogUnits units = DialogUnits::FromFont(dialogFont);
    EXPECT_EQ(units.BaseX(), 6);
    EXPECT_EQ(units.BaseY(), 13);
    // Liberation Sans has the dialog face's metrics: the units the templates
    // are laid out in, at the size asked for.
    EXPECT_EQ(Font(0, 8, "MS Shell Dlg 2").DesignUnits(), std::optional(units));
    EXPECT_EQ(dialogFont.pointSizeF(), 8.0);
    EXPECT_FALSE(Font(0, 8, "Arial").DesignUnits().has_value());
    const DialogUnits larger = DialogUnits::FromFont(Font(0, 16, "MS Shell Dlg").ToQFont());
    EXPECT_GT(larger.ToPixelsX(442), units.ToPixelsX(442) * 3 / 2);
    EXPECT_GT(larger.ToPixelsY(221), units.ToPixelsY(221) * 3 / 2);
}

TEST(FontTest, FacesResolveToInstalledEquivalents) {
    Font pane(0, 10, "Courier New");
    pane.Bold(true);
    const QFont font = pane.ToQFont();
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.pointSize(), 10);
    // Courier New 10 at 96 dpi: 8 pixels a character, 12 + 5 of ascent and
    // descent. Liberation Mono shares them and keeps the size.
    EXPECT_EQ(pane.DesignUnits(), std::optional(DialogUnits(8, 17)));
    if (QFontInfo(font).family() == QStringLiteral("Liberation Mono")) {
        EXPECT_EQ(font.pointSizeF(), 10.0);
    }
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
    EXPECT_EQ(Font::ResolveFace("Some Face"), QStringLiteral("Some Face"));
    EXPECT_NE(Font::ResolveFace("MS Shell Dlg"), QStringLiteral("MS Shell Dlg"));
}

TEST(ColorTest, PaneColoursAreDistinctAndLegible) {
    const QColor background = Color(7).ToQColor();
    const QColor text = Color(1).ToQColor();
    // Contrast of the two roles: a clear lightness gap.
    EXPECT_GT(background.lightness() - text.lightness(), 120);
    EXPECT_EQ(Color(16 + 7).ToQColor(), background);
    EXPECT_NE(Color(0).ToQColor(), Color(15).ToQColor());
}

class IconTest : public WindowTest {
  protected:
    QString WriteIco(const QString& name, int size, QRgb colour) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(colour);
        const QString path = dir_.filePath(name);
        QImageWriter writer(path, "ico");
        EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(IconTest, GroupsAreFoundByNameOrNumber) {
    module_.AddIconGroup("FSERIAL", WriteIco("a.ico", 45, qRgb(200, 0, 0)));
    module_.AddIconGroup(101, WriteIco("b.ico", 32, qRgb(0, 200, 0)));
    const Icon named(ResourceID("FSerial"));
    ASSERT_EQ(named.Sizes().size(), 1);
    EXPECT_EQ(named.Sizes().front(), QSize(45, 45));
    const Icon numbered(ResourceID(101u));
    EXPECT_EQ(numbered.Sizes().front(), QSize(32, 32));
    EXPECT_THROW(Icon(ResourceID(102u)), std::runtime_error);
    EXPECT_THROW(Icon(ResourceID("FSerial2")), std::runtime_error);
}

TEST_F(IconTest, UnreadableIconFileFailsConstruction) {
    module_.AddIconGroup(7, dir_.filePath("missing.ico"));
    EXPECT_THROW(Icon(ResourceID(7u)), std::runtime_error);
}

}  // namespace
}  // namespace win::testing
