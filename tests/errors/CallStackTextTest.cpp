#include "errors/CallStackText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

// Names for a nest of activations, outermost first; static storage as the
// activation record keeps views of them.
constexpr const char* kNames[] = {"LEVEL:ONE",  "LEVEL:TWO", "LEVEL:THREE", "LEVEL:FOUR",
                                  "LEVEL:FIVE", "LEVEL:SIX", "LEVEL:SEVEN"};

// Runs `inner` inside `depth` nested activations named from kNames, each at
// line 100 + its index.
void Nest(int depth, const std::function<void()>& inner, int index = 0) {
    if (index == depth) {
        inner();
        return;
    }
    const rt::ActivationGuard guard(kNames[index], "Test Module");
    rt::State().activations.SetLine(100 + index);
    Nest(depth, inner, index + 1);
}

TEST(CallStackTextTest, NoActivationsGiveTheEmptyMarker) {
    ASSERT_EQ(rt::State().activations.Depth(), 0u);
    EXPECT_EQ(CallStackText(0), "*EmptyCallStack*\r\n");
}

TEST(CallStackTextTest, DeepStacksAreCutToFiveLinesInnermostFirst) {
    std::string text;
    Nest(7, [&] { text = CallStackText(0); });
    EXPECT_EQ(text,
              "LEVEL:SEVEN (Line:106)\r\n"
              "LEVEL:SIX (Line:105)\r\n"
              "LEVEL:FIVE (Line:104)\r\n"
              "LEVEL:FOUR (Line:103)\r\n"
              "LEVEL:THREE (Line:102)\r\n");
}

TEST(CallStackTextTest, StartLevelSkipsInnerActivationsAndStopsAtTheDepth) {
    std::string fromTwo, atDepth, ownFrame;
    Nest(3, [&] {
        fromTwo = CallStackText(2);
        atDepth = CallStackText(3);
        ownFrame = CallStackText(0, 1);
    });
    EXPECT_EQ(fromTwo, "LEVEL:ONE (Line:100)\r\n");
    EXPECT_EQ(atDepth, "*EmptyCallStack*\r\n");
    EXPECT_EQ(ownFrame, "LEVEL:TWO (Line:101)\r\nLEVEL:ONE (Line:100)\r\n");
}

TEST(CallStackTextTest, StartLevelAboveTheDepthGivesFiveNamelessLines) {
    std::string text;
    Nest(2, [&] { text = CallStackText(4); });
    std::string expected;
    for (int i = 0; i < 5; ++i) expected += "*ProcName* (Line:0)\r\n";
    EXPECT_EQ(text, expected);
}

TEST(CallStackTextTest, NamelessActivationIsListedWithItsLine) {
    std::string text;
    Nest(1, [&] {
        const rt::ActivationGuard guard("", "Test Module");
        rt::State().activations.SetLine(42);
        text = CallStackText(0);
    });
    EXPECT_EQ(text, "*ProcName* (Line:42)\r\nLEVEL:ONE (Line:100)\r\n");
}

TEST(CallStackTextTest, SettingsShapeTheLines) {
    struct Case {
        const char* what;
        CallStackSettings settings;
        std::uint32_t level;
        std::string expected;
    };
    const Case cases[] = {
        {"level numbers",
         {5, 0, true, false},
         0,
         "003, LEVEL:THREE (Line:102)\r\n002, LEVEL:TWO (Line:101)\r\n001, LEVEL:ONE "
         "(Line:100)\r\n"},
        {"module names",
         {2, 0, false, true},
         1,
         "Test Module, LEVEL:TWO (Line:101)\r\nTest Module, LEVEL:ONE (Line:100)\r\n"},
        {"at least one line", {0, 0, false, false}, 0, "LEVEL:THREE (Line:102)\r\n"},
        {"levels above the depth",
         {2, 0, true, false},
         5,
         "*** , *ProcName* (Line:0)\r\n*** , *ProcName* (Line:0)\r\n"},
    };
    for (const auto& c : cases) {
        std::string text;
        Nest(3, [&] { text = CallStackText(c.level, 0, c.settings); });
        EXPECT_EQ(text, c.expected) << c.what;
    }
}

TEST(CallStackTextTest, StopCountEndsAfterEventLoopFrames) {
    std::string text;
    const CallStackSettings settings{9, 1, false, false};
    Nest(1, [&] {
        const rt::ActivationGuard loop("APP:EXEC", "Test Module");
        const rt::ActivationGuard dispatch("WINDOW:DISPATCH", "Test Module");
        const rt::ActivationGuard handler("WINDOW:CLICK", "Test Module");
        text = CallStackText(0, 0, settings);
    });
    EXPECT_EQ(text, "WINDOW:CLICK (Line:0)\r\nWINDOW:DISPATCH (Line:0)\r\n");
}

}  // namespace
}  // namespace errors
