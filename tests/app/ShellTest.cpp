// The shell window, the standard data window and the program's icons.
#include <gtest/gtest.h>
#include <QFile>
#include <QStatusBar>
#include <QTimer>

#include "ProgramFixture.h"
#include "RaisedErrors.h"
#include "app/FSerial.h"
#include "app/StandardSDIWindow.h"
#include "app/StdDataWindow.h"
#include "platform/os/SystemMenu.h"
#include "platform/runtime/GenCode.h"
#include "platform/window/App.h"

namespace app::testing {
namespace {

// The directory of an .ico file: per image its width, height, colour count
// and bits per pixel.
struct IcoEntry {
    int width;
    int height;
    int colours;
    int bitsPerPixel;
    friend bool operator==(const IcoEntry&, const IcoEntry&) = default;
};

std::vector<IcoEntry> IcoDirectory(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray data = file.readAll();
    auto u8 = [&](int at) { return static_cast<unsigned char>(data.at(at)); };
    auto u16 = [&](int at) { return u8(at) | (u8(at + 1) << 8); };
    std::vector<IcoEntry> entries;
    if (data.size() < 6 || u16(0) != 0 || u16(2) != 1) return entries;
    for (int i = 0; i < u16(4) && 6 + 16 * (i + 1) <= data.size(); ++i) {
        const int at = 6 + 16 * i;
        entries.push_back({u8(at) == 0 ? 256 : u8(at), u8(at + 1) == 0 ? 256 : u8(at + 1),
                           u8(at + 2), u16(at + 6)});
    }
    return entries;
}

class ShellTest : public ProgramTest {};

TEST_F(ShellTest, IconFilesHaveTheirSizesAndColourDepths) {
    EXPECT_EQ(IcoDirectory(QStringLiteral(":/comtest/FSERIAL.ico")),
              (std::vector<IcoEntry>{{45, 45, 0, 8}}));
    EXPECT_EQ(IcoDirectory(QStringLiteral(":/comtest/101.ico")),
              (std::vector<IcoEntry>{{32, 32, 16, 4}, {16, 16, 16, 4}}));
}

TEST_F(ShellTest, FSerialTakesTheSingleImageOfItsGroupWhateverTheNameCase) {
    const FSerial icon;
    ASSERT_EQ(icon.Sizes().size(), 1);
    EXPECT_EQ(icon.Sizes().front(), QSize(45, 45));
    const win::Icon upper(win::ResourceID("FSERIAL"));
    EXPECT_EQ(upper.Images().front(), icon.Images().front());
}

TEST_F(ShellTest, NewShellShowsIcon101AndNoStatusBar) {
    win::App application;
    StandardSDIWindow shell(&application);
    EXPECT_EQ(shell.LargeIconImages().size(), 2);
    EXPECT_EQ(shell.LargeIconImages().front().size(), QSize(32, 32));
    EXPECT_EQ(shell.LargeIconImages().back().size(), QSize(16, 16));
    EXPECT_FALSE(shell.HasStatusBar());
    EXPECT_EQ(shell.Widget()->findChild<QStatusBar*>(), nullptr);
    EXPECT_EQ(shell.Owner(), &application);
}

TEST_F(ShellTest, ClosingTheShellEndsTheLoopAndClosesIt) {
    win::App application;
    StandardSDIWindow shell(&application);
    shell.Show();
    bool loopRanWhenClosed = false;
    QTimer::singleShot(0, [&] {
        loopRanWhenClosed = application.IsRunning();
        shell.Widget()->close();
    });
    application.Exec();
    EXPECT_TRUE(loopRanWhenClosed);
    EXPECT_FALSE(application.IsRunning());
    EXPECT_FALSE(shell.Widget()->isVisible());
}

TEST_F(ShellTest, GreyedCloseItemKeepsTheShellAndTheLoop) {
    win::App application;
    StandardSDIWindow shell(&application);
    shell.Show();
    const os::HMENU menu = os::GetSystemMenu(shell.Handle(0), false);
    os::EnableMenuItem(menu, os::kSystemMenuClose, os::MF_BYPOSITION | os::MF_GRAYED);
    bool runningAfterClose = false;
    QTimer::singleShot(0, [&] {
        shell.Widget()->close();
        QTimer::singleShot(0, [&] {
            runningAfterClose = application.IsRunning();
            application.Quit();
        });
    });
    application.Exec();
    EXPECT_TRUE(runningAfterClose);
    EXPECT_TRUE(shell.Widget()->isVisible());
}

TEST_F(ShellTest, StdDataWindowFillsItsShellAndEndsInBrowseView) {
    win::App application;
    StandardSDIWindow shell(&application);
    shell.Size(win::Dimension{673, 395});
    StdDataWindow window(&shell);
    EXPECT_EQ(window.OwnerShell(), &shell);
    EXPECT_EQ(window.Origin(), (win::Point{0, 0}));
    EXPECT_EQ(window.Size(), shell.CanvasArea());
    EXPECT_EQ(window.View(), "BrowseView");
    EXPECT_TRUE(window.HasSystemMenu());
    EXPECT_TRUE(window.HasMaxBox());
    EXPECT_TRUE(window.HasMinBox());
    EXPECT_EQ(window.IconImages().size(), 2);
    EXPECT_FALSE(window.Widget()->isHidden());
}

TEST_F(ShellTest, StdDataWindowRefusesAnOwnerThatIsNotTheShell) {
    win::App application;
    win::TopAppWindow other(&application);
    RaisedErrors errors;
    std::vector<rt::Object*> owners = {&other, &application, nullptr};
    for (rt::Object* owner : owners) {
        StdDataWindow window(owner);
        EXPECT_EQ(window.OwnerShell(), nullptr);
    }
    ASSERT_EQ(errors.Seen().size(), owners.size());
    for (const auto& error : errors.Seen()) EXPECT_EQ(error.genCode, rt::gen::kDataType);
}

}  // namespace
}  // namespace app::testing
