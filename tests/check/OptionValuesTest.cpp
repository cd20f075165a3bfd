#include "check/OptionValues.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "check/Pattern.h"

namespace check {
namespace {

const std::vector<ParityChoice> kParities{{"Even", 2}, {"None", 0}, {"Odd", 1}};

TEST(OptionValuesTest, ListsReadWithCommasAndRepeatsOnce) {
    EXPECT_EQ(ParseBauds("115200,300,115200").ValueOr({}),
              (std::vector<std::uint32_t>{115200, 300}));
    EXPECT_EQ(ParseParities("odd,EVEN,None", kParities).ValueOr({}),
              (std::vector<std::uint8_t>{1, 2, 0}));
    EXPECT_EQ(ParseDataBits("5,8").ValueOr({}), (std::vector<std::uint8_t>{5, 8}));
    EXPECT_EQ(ParseStopBits("2,1.5,1").ValueOr({}), (std::vector<std::uint8_t>{2, 1, 0}));
    EXPECT_EQ(ParseDuration("90").ValueOr({}), std::chrono::seconds(90));
    EXPECT_EQ(ParseDuration("10m").ValueOr({}), std::chrono::minutes(10));
    EXPECT_EQ(ParseDuration("2h").ValueOr({}), std::chrono::hours(2));
    EXPECT_EQ(ParseRepeat("3").ValueOr(0), 3u);
    EXPECT_EQ(ParsePortName("com12").ValueOr(""), "com12");
}

// The failure's text, or nullopt when the value read.
template <typename T>
std::optional<std::string> ErrorOf(const rt::Expected<T>& result) {
    if (result) return std::nullopt;
    return result.Error();
}

TEST(OptionValuesTest, BadValuesAreNamed) {
    struct Case {
        std::function<std::optional<std::string>()> error;
        std::string bad;
    };
    const Case cases[] = {
        {[] { return ErrorOf(ParseBauds("9600,fast")); }, "fast"},
        {[] { return ErrorOf(ParseBauds("0")); }, "0"},
        {[] { return ErrorOf(ParseBauds("4294967296")); }, "4294967296"},
        {[] { return ErrorOf(ParseBauds("9600,")); }, "''"},
        {[] { return ErrorOf(ParseParities("odd,weird", kParities)); }, "weird"},
        {[] { return ErrorOf(ParseDataBits("9")); }, "9"},
        {[] { return ErrorOf(ParseStopBits("3")); }, "3"},
        {[] { return ErrorOf(ParseByteCount("-5")); }, "-5"},
        {[] { return ErrorOf(ParseByteCount("0")); }, "0"},
        {[] { return ErrorOf(ParseRepeat("0")); }, "0"},
        {[] { return ErrorOf(ParseDuration("10d")); }, "10d"},
        {[] { return ErrorOf(ParseDuration("1001h")); }, "1001h"},
        {[] { return ErrorOf(ParseDuration("m")); }, "m"},
    };
    for (const auto& c : cases) {
        const auto error = c.error();
        ASSERT_TRUE(error) << c.bad;
        EXPECT_NE(error->find(c.bad), std::string::npos) << *error;
    }
}

TEST(PatternTest, ReproducibleAndFitsTheDataBits) {
    EXPECT_EQ(MakePattern(42, 4096, 8), MakePattern(42, 4096, 8));
    EXPECT_NE(MakePattern(42, 64, 8), MakePattern(43, 64, 8));
    bool highBit = false;
    for (char c : MakePattern(42, 4096, 8)) highBit |= (c & 0x80) != 0;
    EXPECT_TRUE(highBit);
    for (char c : MakePattern(42, 4096, 7)) ASSERT_EQ(c & 0x80, 0);
}

TEST(PatternTest, SizedForHalfASecond) {
    // 10 bits a byte at 8N1, 12 at 8E2.
    EXPECT_EQ(DefaultPatternSize({9600, 0, 8, 0}), 480u);
    EXPECT_EQ(DefaultPatternSize({19200, 2, 8, 2}), 800u);
    EXPECT_EQ(DefaultPatternSize({300, 0, 8, 0}), 16u);
    // A rate no wire carries still gets no more than --bytes allows.
    EXPECT_EQ(DefaultPatternSize({4294967295u, 0, 8, 0}), kMaxPatternSize);
    EXPECT_EQ(WireTime({9600, 0, 8, 0}, 960), std::chrono::seconds(1));
    // A line without a wire moves bytes at the program's own speed, slower
    // than such a rate: its timeout allows for that speed, a wire's does not.
    const serial::LineSettings fast{4294967295u, 0, 8, 0};
    EXPECT_LT(ReceiveTimeout(fast, kMaxPatternSize, true), std::chrono::seconds(1));
    EXPECT_GT(ReceiveTimeout(fast, kMaxPatternSize, false), std::chrono::seconds(4));
    EXPECT_EQ(ReceiveTimeout({9600, 0, 8, 0}, 480, false),
              ReceiveTimeout({9600, 0, 8, 0}, 480, true));
}

}  // namespace
}  // namespace check
