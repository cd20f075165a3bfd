#include "check/OptionValues.h"

#include <gtest/gtest.h>

#include <functional>

#include "check/Pattern.h"

namespace check {
namespace {

const std::vector<ParityChoice> kParities{{"Even", 2}, {"None", 0}, {"Odd", 1}};

TEST(OptionValuesTest, ListsReadWithCommasAndRepeatsOnce) {
    std::vector<std::uint32_t> bauds;
    std::vector<std::uint8_t> parities, dataBits, stopBits;
    std::string error;
    EXPECT_TRUE(ParseBauds("115200,300,115200", bauds, error));
    EXPECT_EQ(bauds, (std::vector<std::uint32_t>{115200, 300}));
    EXPECT_TRUE(ParseParities("odd,EVEN,None", kParities, parities, error));
    EXPECT_EQ(parities, (std::vector<std::uint8_t>{1, 2, 0}));
    EXPECT_TRUE(ParseDataBits("5,8", dataBits, error));
    EXPECT_EQ(dataBits, (std::vector<std::uint8_t>{5, 8}));
    EXPECT_TRUE(ParseStopBits("2,1.5,1", stopBits, error));
    EXPECT_EQ(stopBits, (std::vector<std::uint8_t>{2, 1, 0}));
}

TEST(OptionValuesTest, BadValuesAreNamedAndChangeNothing) {
    struct Case {
        std::function<bool(std::string&)> parse;
        std::string bad;
    };
    std::vector<std::uint32_t> bauds{9600};
    std::vector<std::uint8_t> list{8};
    std::size_t bytes = 7;
    const Case cases[] = {
        {[&](std::string& e) { return ParseBauds("9600,fast", bauds, e); }, "fast"},
        {[&](std::string& e) { return ParseBauds("0", bauds, e); }, "0"},
        {[&](std::string& e) { return ParseBauds("4294967296", bauds, e); }, "4294967296"},
        {[&](std::string& e) { return ParseBauds("9600,", bauds, e); }, "''"},
        {[&](std::string& e) { return ParseParities("odd,weird", kParities, list, e); }, "weird"},
        {[&](std::string& e) { return ParseDataBits("9", list, e); }, "9"},
        {[&](std::string& e) { return ParseStopBits("3", list, e); }, "3"},
        {[&](std::string& e) { return ParseByteCount("-5", bytes, e); }, "-5"},
        {[&](std::string& e) { return ParseByteCount("0", bytes, e); }, "0"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(c.parse(error)) << c.bad;
        EXPECT_NE(error.find(c.bad), std::string::npos) << error;
    }
    EXPECT_EQ(bauds, std::vector<std::uint32_t>{9600});
    EXPECT_EQ(list, std::vector<std::uint8_t>{8});
    EXPECT_EQ(bytes, 7u);
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
    EXPECT_EQ(WireTime({9600, 0, 8, 0}, 960), std::chrono::seconds(1));
}

}  // namespace
}  // namespace check
