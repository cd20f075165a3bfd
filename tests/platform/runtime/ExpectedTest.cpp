#include "platform/runtime/Expected.h"

#include <gtest/gtest.h>

#include <string>

namespace rt {
namespace {

// A value of the same type as the error text must not be taken for one.
Expected<std::string> Device(bool found) {
    if (!found) return Fail("no such device");
    return std::string("/dev/ttyS0");
}

TEST(ExpectedTest, AValueOrAFailureReadsTheRightWayRound) {
    const auto found = Device(true);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, "/dev/ttyS0");
    EXPECT_EQ(found->size(), 10u);
    EXPECT_EQ(found.ValueOr("none"), "/dev/ttyS0");

    const auto missing = Device(false);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error(), "no such device");
    EXPECT_EQ(missing.ValueOr("none"), "none");

    const Expected<int> emptyText = Fail("");
    EXPECT_FALSE(emptyText.HasValue());
}

TEST(ExpectedTest, WithoutAValueOnlySuccessOrTheErrorIsCarried) {
    const Expected<> done;
    EXPECT_TRUE(done);
    const Expected<> failed = Fail("cannot set the baud rate");
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.Error(), "cannot set the baud rate");
}

TEST(ExpectedTest, ReadingTheWrongSideIsAFaultThatSaysWhy) {
    const Expected<int> failed = Fail("busy");
    try {
        (void)failed.Value();
        FAIL() << "the value of a failure was read";
    } catch (const std::logic_error& error) {
        EXPECT_NE(std::string(error.what()).find("busy"), std::string::npos);
    }
    EXPECT_THROW((void)Expected<int>(3).Error(), std::logic_error);
    EXPECT_THROW((void)Expected<>().Error(), std::logic_error);
}

}  // namespace
}  // namespace rt
