// Top-level windows: outer size and client area, status bar, close requests
// and the system menu's Close item, show states; the application's loop.
#include <gtest/gtest.h>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "WindowTestModule.h"
#include "platform/os/SystemMenu.h"
#include "platform/window/App.h"
#include "platform/window/DataWindow.h"
#include "platform/window/TopAppWindow.h"

namespace win::testing {
namespace {

// A shell whose Close counts its calls and, like the program's, passes the
// event on to the library only when told to.
class CountingShell : public TopAppWindow {
  public:
    using TopAppWindow::TopAppWindow;
    TopAppWindow& Close(CloseEvent& event) override {
        ++closes;
        if (passOn) TopAppWindow::Close(event);
        return *this;
    }
    int closes = 0;
    bool passOn = true;
};

TEST(TopAppWindowTest, OuterSizeCountsThePlatformFrame) {
    TopAppWindow shell(nullptr);
    shell.Size(Dimension{673, 395});
    EXPECT_EQ(shell.Size(), (Dimension{673, 395}));
    EXPECT_EQ(shell.CanvasArea(), (Dimension{663, 359}));
    shell.Show(SW_SHOWACTIVE);
    EXPECT_TRUE(shell.Widget()->isVisible());
    EXPECT_FALSE(shell.Widget()->isMaximized());
    EXPECT_EQ(shell.Size(), (Dimension{673, 395}));
    shell.Origin(Point{-20, 40});
    EXPECT_EQ(shell.Origin(), (Point{-20, 40}));
}

TEST(TopAppWindowTest, StatusBarTakesItsHeightFromTheCanvas) {
    TopAppWindow shell(nullptr);
    shell.Size(Dimension{673, 395});
    shell.EnableStatusBar(true);
    ASSERT_TRUE(shell.HasStatusBar());
    EXPECT_LT(shell.CanvasArea().Height(), 359);
    EXPECT_EQ(shell.CanvasArea().Width(), 663);
    shell.EnableStatusBar(false);
    EXPECT_FALSE(shell.HasStatusBar());
    EXPECT_EQ(shell.Widget()->findChild<QStatusBar*>(), nullptr);
    EXPECT_EQ(shell.CanvasArea(), (Dimension{663, 359}));
}

TEST(TopAppWindowTest, GreyedCloseItemKeepsTheWindowOpenWhateverTheWay) {
    CountingShell shell(nullptr);
    shell.Show();
    const os::HMENU menu = os::GetSystemMenu(shell.Handle(0), false);
    ASSERT_NE(menu, 0u);

    os::EnableMenuItem(menu, os::kSystemMenuClose, os::MF_BYPOSITION | os::MF_GRAYED);
    EXPECT_FALSE(shell.Widget()->close());
    QTest::keyClick(shell.Widget(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(shell.Widget()->isVisible());
    EXPECT_EQ(shell.closes, 0);

    os::EnableMenuItem(menu, os::kSystemMenuClose, os::MF_BYPOSITION | os::MF_DISABLED);
    EXPECT_FALSE(shell.Widget()->close());
    EXPECT_EQ(shell.closes, 0);

    os::EnableMenuItem(menu, os::kSystemMenuClose, os::MF_BYPOSITION | os::MF_ENABLED);
    EXPECT_TRUE(shell.Widget()->close());
    EXPECT_FALSE(shell.Widget()->isVisible());
    EXPECT_EQ(shell.closes, 1);
}

TEST(TopAppWindowTest, CloseThatDoesNotPassTheEventOnKeepsTheWindow) {
    CountingShell shell(nullptr);
    shell.passOn = false;
    shell.Show();
    EXPECT_FALSE(shell.Widget()->close());
    EXPECT_TRUE(shell.Widget()->isVisible());
    EXPECT_EQ(shell.closes, 1);
}

TEST(TopAppWindowTest, FrameOptionsBecomeWindowFlags) {
    TopAppWindow shell(nullptr);
    EXPECT_TRUE(shell.Widget()->windowFlags() & Qt::WindowMaximizeButtonHint);
    shell.EnableMaxBox(false);
    shell.EnableMinBox(false);
    EXPECT_FALSE(shell.Widget()->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(shell.Widget()->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(shell.Widget()->windowFlags() & Qt::WindowCloseButtonHint);
    shell.EnableSystemMenu(false);
    EXPECT_FALSE(shell.Widget()->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(TopAppWindowTest, ShowStates) {
    TopAppWindow shell(nullptr);
    shell.Show(SW_SHOWMINIMIZED);
    EXPECT_TRUE(shell.Widget()->isMinimized());
    shell.Show(SW_HIDE);
    EXPECT_FALSE(shell.Widget()->isVisible());
    shell.Show(SW_SHOWACTIVE);
    EXPECT_TRUE(shell.Widget()->isVisible());
    EXPECT_FALSE(shell.Widget()->isMinimized());
    EXPECT_FALSE(shell.Widget()->isMaximized());
}

class OwnedWindowTest : public WindowTest {};

TEST_F(OwnedWindowTest, DataWindowLivesInItsOwnersCanvasAndDiesWithIt) {
    auto shell = std::make_unique<TopAppWindow>(nullptr);
    auto window = std::make_unique<DataWindow>(shell.get(), ResourceID("TestForm"));
    EXPECT_EQ(window->Widget()->parentWidget(), shell->Canvas());
    EXPECT_EQ(window->Owner(), shell.get());
    shell.reset();
    EXPECT_EQ(window->Widget(), nullptr);
    window.reset();  // its widget went with the shell: nothing to destroy twice
}

TEST(AppTest, QuitEndsExecFromAnEventAndAQuitBeforeExecIsNotLost) {
    App app;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        EXPECT_TRUE(app.IsRunning());
        app.Quit();
    });
    app.Exec();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(app.IsRunning());

    app.Quit();
    app.Exec();  // returns at once
    EXPECT_FALSE(app.IsRunning());
    EXPECT_EQ(app.ClassName(), "APP");
}

TEST(AppTest, ClosingTheLastWindowDoesNotEndTheLoop) {
    App app;
    TopAppWindow shell(nullptr);
    shell.Show();
    bool stillRunning = false;
    QTimer::singleShot(0, [&] {
        shell.Widget()->close();
        QTimer::singleShot(0, [&] {
            stillRunning = app.IsRunning();
            app.Quit();
        });
    });
    app.Exec();
    EXPECT_TRUE(stillRunning);
}

}  // namespace
}  // namespace win::testing
