#include "platform/runtime/Activation.h"

#include <gtest/gtest.h>

#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

int Inner() {
    RT_ENTER("INNER", "Test Module");
    RT_LINE();
    const int line = __LINE__ - 1;
    const auto& stack = State().activations;
    EXPECT_EQ(stack.At(0)->name, "INNER");
    EXPECT_EQ(stack.At(0)->line, line);
    EXPECT_EQ(stack.At(1)->name, "OUTER");
    EXPECT_EQ(stack.At(1)->module, "Other");
    return static_cast<int>(stack.Depth());
}

TEST(ActivationTest, GuardsNestAndUnwind) {
    const auto base = State().activations.Depth();
    {
        RT_ENTER("OUTER", "Other");
        RT_LINE();
        EXPECT_EQ(Inner(), static_cast<int>(base) + 2);
        EXPECT_EQ(State().activations.At(0)->name, "OUTER");
    }
    EXPECT_EQ(State().activations.Depth(), base);
    EXPECT_EQ(State().activations.At(base), nullptr);
}

TEST(ActivationTest, UnwindsThroughExceptions) {
    const auto base = State().activations.Depth();
    try {
        RT_ENTER("THROWER", "Other");
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(State().activations.Depth(), base);
}

}  // namespace
}  // namespace rt
