#include "errors/HexValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace errors {
namespace {

// The 16 digits of a double's pattern, the half at the lower address first,
// computed independently of HexValue.
std::string Wide(double value) {
    unsigned char bytes[8];
    std::memcpy(bytes, &value, 8);
    std::string text;
    char digits[3];
    for (int half = 0; half < 2; ++half) {
        for (int i = 3; i >= 0; --i) {
            std::snprintf(digits, sizeof digits, "%02X", bytes[half * 4 + i]);
            text += digits;
        }
    }
    return text;
}

TEST(HexValueTest, NumbersGiveTheirThirtyTwoOrSixtyFourBitPatterns) {
    struct Case {
        rt::Usual value;
        std::string expected;
    };
    int local = 0;
    const Case cases[] = {
        {rt::Usual(std::int32_t{255}), "000000FF"},
        {rt::Usual(std::int32_t{-1}), "FFFFFFFF"},
        {rt::Usual(std::int32_t{0}), "00000000"},
        {rt::Usual(-1.0), "FFFFFFFF"},
        {rt::Usual(0.0), "00000000"},
        {rt::Usual(4294967295.0), "FFFFFFFF"},
        {rt::Usual(-2147483647.0), "80000001"},
        {rt::Usual(3221225477.0), "C0000005"},
        {rt::Usual(2147483648.0), "80000000"},
        {rt::Usual(4294967296.0), Wide(4294967296.0)},
        {rt::Usual(-2147483648.0), Wide(-2147483648.0)},
        {rt::Usual(1.5), Wide(1.5)},
        {rt::Usual(-0.25), Wide(-0.25)},
        {rt::Usual(std::numeric_limits<double>::infinity()),
         Wide(std::numeric_limits<double>::infinity())},
        {rt::Usual(true), "00000001"},
        {rt::Usual(rt::Symbol{0x1BC}), "000001BC"},
        {rt::Usual(static_cast<void*>(nullptr)), "00000000"},
        {rt::NIL, "00000000"},
        {rt::Usual("abc"), "61 62 63 "},
        {rt::Usual(""), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(HexValue(c.value), c.expected) << c.expected;
    const auto address = reinterpret_cast<std::uintptr_t>(&local) & 0xFFFFFFFFu;
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(address));
    EXPECT_EQ(HexValue(rt::Usual(static_cast<void*>(&local))), digits);
}

TEST(HexValueTest, WideValuesPutTheLowAddressHalfFirst) {
    // 1.5 is 0x3FF8000000000000: the half at the lower address is all zero.
    EXPECT_EQ(HexValue(rt::Usual(1.5)), "000000003FF80000");
    EXPECT_EQ(HexValue(rt::Usual(4294967296.0)), "0000000041F00000");
}

TEST(HexBytesTest, EveryByteGivesTwoDigitsAndASpace) {
    EXPECT_EQ(HexBytes("abc"), "61 62 63 ");
    EXPECT_EQ(HexBytes("abc").size(), 9u);
    EXPECT_EQ(HexBytes(""), "");
    EXPECT_EQ(HexBytes(std::string("\0\xff\r\n", 4)), "00 FF 0D 0A ");
}

}  // namespace
}  // namespace errors
