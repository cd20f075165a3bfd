#include "platform/runtime/GuardedSequence.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/runtime/Termination.h"

namespace rt {
namespace {

[[noreturn]] void JumpFromDeep(int depth, const Usual& value) {
    if (depth == 0) LabelJump(value);
    JumpFromDeep(depth - 1, value);
}

TEST(GuardedSequenceTest, RecoverPartReceivesTheJumpValueFromAnyDepth) {
    EXPECT_FALSE(CanBreak());
    Usual received;
    bool after = false;
    const bool recovered = BeginSequence(
        [&] {
            EXPECT_TRUE(CanBreak());
            JumpFromDeep(5, Usual("payload"));
            after = true;
        },
        [&](const Usual& value) {
            EXPECT_FALSE(CanBreak()) << "the recover part runs outside its sequence";
            received = value;
        });
    EXPECT_TRUE(recovered);
    EXPECT_FALSE(after);
    EXPECT_EQ(received.AsText(), "payload");
    EXPECT_FALSE(CanBreak());
}

TEST(GuardedSequenceTest, BodyThatEndsNormallySkipsTheRecoverPart) {
    bool recoverRan = false;
    EXPECT_FALSE(BeginSequence([] {}, [&](const Usual&) { recoverRan = true; }));
    EXPECT_FALSE(recoverRan);
}

TEST(GuardedSequenceTest, InnermostSequenceCatchesAndAJumpFromRecoverGoesOut) {
    std::vector<std::string> order;
    BeginSequence(
        [&] {
            BeginSequence([&] { LabelJump(Usual(std::int32_t{1})); },
                          [&](const Usual& v) {
                              order.push_back("inner " + std::to_string(v.AsLong()));
                              LabelJump(Usual(std::int32_t{2}));
                          });
            order.push_back("not reached");
        },
        [&](const Usual& v) { order.push_back("outer " + std::to_string(v.AsLong())); });
    EXPECT_EQ(order, (std::vector<std::string>{"inner 1", "outer 2"}));
}

TEST(GuardedSequenceTest, OtherExceptionsPassAndTheRecoveryPointIsGone) {
    EXPECT_THROW(BeginSequence([] { throw std::runtime_error("x"); }, [](const Usual&) {}),
                 std::runtime_error);
    EXPECT_FALSE(CanBreak());
}

TEST(GuardedSequenceDeathTest, JumpWithoutRecoveryPointEndsWithTheErrorLevel) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ErrorLevel(17);
            LabelJump(NIL);
        },
        ::testing::ExitedWithCode(17), "");
}

}  // namespace
}  // namespace rt
