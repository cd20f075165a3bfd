// The system menu and screen metrics stand-ins.
#include <gtest/gtest.h>
#include <QObject>

#include "platform/os/SystemMenu.h"
#include "platform/os/SystemMetrics.h"

namespace os {
namespace {

constexpr std::uint32_t kFail = 0xFFFFFFFF;

TEST(SystemMenuTest, ItemsChangeStateByPositionAndReportThePreviousState) {
    QObject window;
    const HWND hwnd = RegisterWindowHandle(&window);
    const HMENU menu = GetSystemMenu(hwnd, false);
    ASSERT_NE(menu, 0u);
    EXPECT_EQ(GetSystemMenu(hwnd, false), menu);  // the same menu, not a copy
    EXPECT_FALSE(IsSystemCloseDisabled(hwnd));

    struct Step {
        std::uint32_t position;
        std::uint32_t flags;
        std::uint32_t answer;
        bool closeDisabled;
    };
    const std::vector<Step> steps = {
        {kSystemMenuClose, MF_BYPOSITION | MF_GRAYED, MF_ENABLED, true},
        {kSystemMenuClose, MF_BYPOSITION | MF_ENABLED, MF_GRAYED, false},
        {kSystemMenuClose, MF_BYPOSITION | MF_DISABLED, MF_ENABLED, true},
        {kSystemMenuClose, MF_BYPOSITION, MF_DISABLED, false},
        {0, MF_BYPOSITION | MF_GRAYED, MF_ENABLED, false},  // another item
        {7, MF_BYPOSITION | MF_GRAYED, kFail, false},       // past the end
        {kSystemMenuClose, MF_GRAYED, kFail, false},        // by command: not kept
    };
    for (const auto& s : steps) {
        EXPECT_EQ(EnableMenuItem(menu, s.position, s.flags), s.answer) << s.position;
        EXPECT_EQ(IsSystemCloseDisabled(hwnd), s.closeDisabled) << s.position;
    }
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), MF_GRAYED);

    // Reverting restores the standard menu.
    EnableMenuItem(menu, kSystemMenuClose, MF_BYPOSITION | MF_GRAYED);
    EXPECT_EQ(GetSystemMenu(hwnd, true), 0u);
    EXPECT_FALSE(IsSystemCloseDisabled(hwnd));
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), MF_ENABLED);
}

TEST(SystemMenuTest, UnknownHandlesFailHarmlessly) {
    EXPECT_EQ(GetSystemMenu(0, false), 0u);
    EXPECT_EQ(EnableMenuItem(0, kSystemMenuClose, MF_BYPOSITION | MF_GRAYED), kFail);
    EXPECT_FALSE(IsSystemCloseDisabled(0));
    HMENU menu = 0;
    {
        QObject window;
        menu = GetSystemMenu(RegisterWindowHandle(&window), false);
    }
    // The menu went with its window.
    EXPECT_EQ(EnableMenuItem(menu, kSystemMenuClose, MF_BYPOSITION | MF_GRAYED), kFail);
}

TEST(SystemMetricsTest, ScreenOverrideNestsAndRestores) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    {
        ScreenSizeOverride outer(1280, 1024);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
        {
            ScreenSizeOverride inner(1365, 767);
            EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1365);
        }
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    }
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), height);
    EXPECT_EQ(GetSystemMetrics(2), 0);
}

}  // namespace
}  // namespace os
