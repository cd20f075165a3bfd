// Centring windows on the screen or on their owner.
#include <gtest/gtest.h>

#include <limits>

#include "RaisedErrors.h"
#include "app/WinCentre.h"
#include "platform/os/SystemMetrics.h"
#include "platform/runtime/GenCode.h"
#include "platform/window/App.h"
#include "platform/window/TopAppWindow.h"

namespace app {
namespace {

using win::Dimension;
using win::Point;

std::shared_ptr<win::TopAppWindow> WindowOf(rt::Object* owner, Dimension size) {
    auto window = std::make_shared<win::TopAppWindow>(owner);
    window->Size(size);
    return window;
}

TEST(WinCentreTest, CentresOnTheScreenWhenOwnedByTheApplicationOrNothing) {
    win::App application;
    struct Case {
        const char* what;
        Dimension screen;
        Dimension window;
        bool ownedByApp;
        Point origin;
    };
    const std::vector<Case> cases = {
        {"application owner", {1280, 1024}, {600, 400}, true, {340, 312}},
        {"no owner", {1280, 1024}, {600, 400}, false, {340, 312}},
        {"odd screen halves drop the fraction", {1365, 767}, {100, 100}, true, {632, 333}},
        {"odd window halves drop the fraction", {1280, 1024}, {601, 401}, true, {340, 312}},
        {"the shell", {1280, 1024}, {673, 395}, true, {304, 315}},
        {"larger than the screen", {1280, 1024}, {2000, 1500}, true, {-360, -238}},
    };
    for (const auto& c : cases) {
        os::ScreenSizeOverride screen(c.screen.width, c.screen.height);
        auto window = WindowOf(c.ownedByApp ? &application : nullptr, c.window);
        EXPECT_TRUE(WinCentre(rt::Usual(rt::ObjectRef(window))).IsNil()) << c.what;
        EXPECT_EQ(window->Origin(), c.origin) << c.what;
    }
}

TEST(WinCentreTest, CentresOnTheOwnersOuterSizeIgnoringItsPosition) {
    os::ScreenSizeOverride screen(1280, 1024);
    auto owner = WindowOf(nullptr, {673, 395});
    owner->Origin(Point{500, 400});
    auto window = WindowOf(owner.get(), {300, 200});
    WinCentre(rt::Usual(rt::ObjectRef(window)));
    // The owner's outer size, not its 663 x 359 canvas.
    EXPECT_EQ(window->Origin(), (Point{336 - 150, 197 - 100}));
}

TEST(WinCentreTest, ArgumentThatIsNoWindowRaisesADataTypeError) {
    testing::RaisedErrors errors;
    win::App application;
    const std::vector<rt::Usual> arguments = {
        rt::NIL, rt::Usual(42), rt::Usual(rt::ObjectRef(std::make_shared<win::App>()))};
    for (const auto& argument : arguments) EXPECT_TRUE(WinCentre(argument).IsNil());
    ASSERT_EQ(errors.Seen().size(), arguments.size());
    for (const auto& error : errors.Seen()) {
        EXPECT_EQ(error.genCode, rt::gen::kDataType);
        EXPECT_EQ(error.operation, "WINCENTRE");
    }
}

TEST(WinCentreTest, SubtractionRaisesTheOverflowErrorOn32BitOverflow) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::int32_t a;
        std::int32_t b;
        bool overflows;
        std::int32_t result;
    };
    const std::vector<Case> cases = {
        {640, 300, false, 340}, {0, 1000, false, -1000},     {kMin, 1, true, 0},
        {kMax, -1, true, 0},    {kMin, -1, false, kMin + 1}, {-1, kMax, false, kMin},
        {kMax, kMax, false, 0}, {0, kMin, true, 0},
    };
    for (const auto& c : cases) {
        testing::RaisedErrors errors;  // answers FALSE: the default, 0
        EXPECT_EQ(Subtract32(c.a, c.b), c.result) << c.a << " - " << c.b;
        ASSERT_EQ(errors.Seen().size(), c.overflows ? 1u : 0u) << c.a << " - " << c.b;
        if (c.overflows) {
            EXPECT_EQ(errors.Seen()[0].genCode, rt::gen::kNumOverflow);
            EXPECT_EQ(errors.Seen()[0].operation, "WINCENTRE");
            EXPECT_TRUE(errors.Seen()[0].canSubstitute);
        }
    }
}

TEST(WinCentreTest, OverflowTakesTheHandlersSubstitute) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    {
        testing::RaisedErrors errors(rt::Usual(-7));
        EXPECT_EQ(Subtract32(kMin, 1), -7);
    }
    {
        // A substitute that does not fit 32 bits is no number for the result.
        testing::RaisedErrors errors(rt::Usual(1e12));
        EXPECT_EQ(Subtract32(kMin, 1), 0);
    }
}

}  // namespace
}  // namespace app
