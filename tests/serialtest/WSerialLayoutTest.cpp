// The serial test window's layout under the desktop's fonts: every control
// in its place and every caption fitting, whatever faces stand in for the
// ones the template was made with, and at other resolutions.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "WSerialFixture.h"
#include "platform/os/MessageLanguage.h"
#include "platform/window/TextPaneView.h"
#include "platform/window/Translations.h"

namespace serialtest {
namespace {

// Every control lies inside the shell's client area at the place its template
// gives in the template's own units, and every caption (and list entry) fits
// its control, whatever faces stand in for the template's. Tells the faces
// and the screen to the runs below.
TEST_F(WSerialTest, ControlsFitTheShellUnderTheDesktopsFonts) {
    Open();
    QWidget* frame = window_->Widget();
    const QRect client(QPoint(0, 0), shell_->Canvas()->size());
    EXPECT_EQ(client.size(), QSize(663, 359));
    EXPECT_EQ(frame->geometry(), client);
    // 72, 193, 84 x 18 units at 6 x 13 pixels to 4 x 8 units.
    EXPECT_EQ(Find("BeginButton")->geometry(), QRect(108, 314, 126, 29));
    const auto controls = frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_EQ(controls.size(), 17);
    for (QWidget* control : controls) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_TRUE(client.contains(control->geometry()));
        int needed = 0;
        if (auto* group = qobject_cast<QGroupBox*>(control))
            needed = group->minimumSizeHint().width();
        else if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLabel*>(control) ||
                 qobject_cast<QComboBox*>(control))
            needed = control->sizeHint().width();
        EXPECT_LE(needed, control->width());
        // A radio button's whole indicator lies inside it.
        if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(radio);
            option.text = radio->text();
            const QRect indicator =
                radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
            EXPECT_TRUE(radio->rect().contains(indicator))
                << indicator.y() << "+" << indicator.height() << " in " << radio->height();
        }
    }
    // The pane's character cell is no larger than Courier New 10's at 96 dpi,
    // 8 x 16 pixels, so its rows hold as many characters as they were made for.
    const QFontMetricsF pane(Pane()->View()->font());
    EXPECT_LE(pane.horizontalAdvance(QLatin1Char('M')), 8 + 1.0 / 64);
    EXPECT_LE(std::ceil(pane.height()), 16);
    // The caret stands right after the text drawn, whatever the pane's face
    // (proportional faces included): the columns that differ with and
    // without the focus are the caret's.
    win::TextPaneView* view = Pane()->View();
    view->InsertText(u"iiiiiiiiii");
    shell_->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shell_->Widget()));
    view->setFocus();
    ASSERT_TRUE(view->hasFocus());
    const QImage focused = view->viewport()->grab().toImage();
    view->clearFocus();
    const QImage unfocused = view->viewport()->grab().toImage();
    const QColor background = unfocused.pixelColor(unfocused.width() - 3, unfocused.height() - 3);
    int inkRight = -1;
    int caretLeft = -1;
    for (int x = 0; x < focused.width(); ++x) {
        for (int y = 0; y < focused.height() / 2; ++y) {
            if (unfocused.pixelColor(x, y) != background) inkRight = x;
            if (caretLeft < 0 && focused.pixelColor(x, y) != unfocused.pixelColor(x, y))
                caretLeft = x;
        }
    }
    ASSERT_GE(inkRight, 0);
    ASSERT_GE(caretLeft, 0);
    EXPECT_GE(caretLeft, inkRight - 1);
    EXPECT_LE(caretLeft, inkRight + pane.horizontalAdvance(QLatin1Char('M')));
    std::cout << "dialog face: " << QFontInfo(frame->font()).family().toStdString() << " "
              << frame->font().pointSizeF()
              << " pt\npane face: " << QFontInfo(Pane()->View()->font()).family().toStdString()
              << " " << Pane()->View()->font().pointSizeF() << " pt"
              << "\nscreen: " << frame->logicalDpiY() << " dpi x " << frame->devicePixelRatioF()
              << std::endl;
}

// The test above, each time in a process of its own (fontconfig reads its
// configuration once): under DejaVu alone, as on many minimal desktops; under
// URW Bookman alone, a much wider face standing in for the dialog and the pane
// face; and at one and a half times the resolution, drawn larger as a desktop
// without scaling does, and scaled as Qt does.
TEST(WSerialFontSetsTest, LayoutHoldsWhateverFontsTheDesktopHas) {
    struct FontSet {
        const char* name;
        QString folder;                 // empty: the desktop's own configuration
        QStringList files;              // empty: the whole folder
        QString face;                   // the stand-in expected
        const char* scaling = nullptr;  // at 144 dpi: "0" drawn larger, "1" scaled
        const char* screen = "96 dpi x 1";
    };
    const QString urw = QStringLiteral("/usr/share/fonts/opentype/urw-base35/");
    const std::vector<FontSet> sets = {
        {"DejaVu only", QStringLiteral("/usr/share/fonts/truetype/dejavu"), {}, "DejaVu Sans"},
        {"URW Bookman only", urw, {"URWBookman-Light.otf", "URWBookman-Demi.otf"}, "URW Bookman"},
        {"144 dpi", {}, {}, {}, "0", "144 dpi x 1"},
        {"144 dpi scaled", {}, {}, {}, "1", "96 dpi x 1.5"},
    };
    for (const auto& set : sets) {
        for (const QString& file : set.files) {
            if (!QFile::exists(set.folder + file))
                GTEST_SKIP() << (set.folder + file).toStdString()
                             << " is missing: install fonts-urw-base35 (scripts/setup.sh does)";
        }
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const QString& name, const QString& text) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
        return file.fileName();
    };
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const FontSet& set = sets[i];
        SCOPED_TRACE(set.name);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (!set.folder.isEmpty()) {
            QString folder = set.folder;
            if (!set.files.isEmpty()) {
                folder = dir.filePath(QString::number(i));
                ASSERT_TRUE(QDir().mkpath(folder));
                for (const QString& file : set.files)
                    ASSERT_TRUE(QFile::link(set.folder + file, folder + "/" + file));
            }
            // The desktop's rules (aliases, preferences) over these fonts only.
            env.insert(QStringLiteral("FONTCONFIG_FILE"),
                       write(QStringLiteral("fonts%1.conf").arg(i),
                             QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig>\n"
                                            "<dir>%1</dir>\n<cachedir>%2</cachedir>\n"
                                            "<include ignore_missing=\"yes\">/etc/fonts/conf.d"
                                            "</include>\n</fontconfig>\n")
                                 .arg(folder, dir.filePath(QStringLiteral("cache")))));
        }
        if (set.scaling) {
            env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), set.scaling);
            env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       "offscreen:configfile=" +
                           write(QStringLiteral("screen.json"),
                                 QStringLiteral("{\"screens\": [{\"name\": \"s\", \"x\": 0, "
                                                "\"y\": 0, \"width\": 1920, \"height\": 1440, "
                                                "\"logicalDpi\": 144, \"logicalBaseDpi\": 96, "
                                                "\"dpr\": 1}]}")));
        }
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=WSerialTest.ControlsFitTheShellUnderTheDesktopsFonts"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString out = QString::fromUtf8(child.readAll());
        const std::string shown = out.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << shown;
        EXPECT_TRUE(out.contains("[  PASSED  ] 1 test.")) << shown;
        EXPECT_TRUE(set.face.isEmpty() || out.contains("dialog face: " + set.face)) << shown;
        EXPECT_TRUE(out.contains(QStringLiteral("screen: ") + set.screen)) << shown;
    }
}

// The window's captions in the language the environment asks for: English
// under an English locale, the program's own Russian otherwise. Run by the
// test below under each locale.
TEST_F(WSerialTest, CaptionsSpeakTheUsersLanguage) {
    const std::string language = os::MessageLanguage::Choose(
        [](const char* name) { return std::getenv(name); }, {"ru", "en"});
    const bool english =
        win::Translations::Install(*qApp, language, {QStringLiteral(COMTEST_QM_DIR)});
    EXPECT_EQ(english, language == "en");
    Open();
    QStringList captions;
    for (const char* button : {"BeginButton", "EndButton", "ExitButton"})
        captions << Find<QPushButton>(button)->text();
    const QStringList expected = english ? QStringList{"Start test", "End test", "Exit"}
                                         : QStringList{"Начать тест", "Конец теста", "Выход"};
    EXPECT_EQ(captions, expected);
    std::cout << "captions: " << captions.join('|').toStdString() << std::endl;
}

TEST(WSerialLanguageTest, WindowSpeaksEnglishUnderAnEnglishLocaleAndRussianOtherwise) {
    struct Locale {
        const char* name;
        std::vector<std::pair<const char*, const char*>> env;
        const char* captions;
    };
    const Locale locales[] = {
        {"LANG English", {{"LANG", "en_US.UTF-8"}}, "Start test|End test|Exit"},
        {"LANG Russian", {{"LANG", "ru_RU.UTF-8"}}, "Начать тест|Конец теста|Выход"},
        {"LANGUAGE first",
         {{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "fr:en_GB:ru"}},
         "Start test|End test|Exit"},
        {"LC_MESSAGES over LANG",
         {{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ru_RU.UTF-8"}},
         "Начать тест|Конец теста|Выход"},
        {"C ignores LANGUAGE",
         {{"LC_ALL", "C.UTF-8"}, {"LANGUAGE", "en"}},
         "Начать тест|Конец теста|Выход"},
    };
    for (const Locale& locale : locales) {
        SCOPED_TRACE(locale.name);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) env.remove(name);
        for (const auto& [name, value] : locale.env) env.insert(name, value);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=WSerialTest.CaptionsSpeakTheUsersLanguage"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString out = QString::fromUtf8(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("captions: ") + QString::fromUtf8(locale.captions)))
            << out.toStdString();
    }
}

}  // namespace
}  // namespace serialtest
