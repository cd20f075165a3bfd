// Value-to-text conversions and their dependence on the international
// settings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "IntlScope.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/IntlOperations.h"
#include "platform/runtime/RuntimeState.h"

namespace {

class Named : public rt::Object {
  public:
    std::string ClassName() const override { return "WSERIAL"; }
};

TEST(ConversionsTest, AsStringOfEveryKindOfValue) {
    IntlScope scope;
    rt::SetDecimal(2);
    rt::SetDecimalSep('.');
    rt::SetDateFrmt("MM/DD/YY");
    rt::SetCentury(false);
    const rt::Symbol symbol = rt::State().symbols.Add("CONVERSIONSTEST");
    struct Case {
        const char* what;
        rt::Usual value;
        std::string text;
    };
    const Case cases[] = {
        {"nil", rt::NIL, "NIL"},
        {"zero", std::int32_t{0}, "0"},
        {"negative", std::int32_t{-2147483647 - 1}, "-2147483648"},
        {"float fraction", 1.5, "1.50"},
        {"float half rounds up", 0.125, "0.13"},
        {"float negative half rounds away from zero", -0.125, "-0.13"},
        {"float below half", 1.004, "1.00"},
        {"float rounding to zero keeps no sign", -0.001, "0.00"},
        {"float whole above 32 bits", 3221225477.0, "3221225477"},
        {"float whole negative", -4.0, "-4"},
        {"infinity", std::numeric_limits<double>::infinity(), "INF"},
        {"minus infinity", -std::numeric_limits<double>::infinity(), "-INF"},
        {"not a number", std::nan(""), "NAN"},
        {"true", true, "TRUE"},
        {"false", false, "FALSE"},
        {"date", rt::ConDate(2024, 2, 29), "02/29/24"},
        {"text", "as is \xC0", "as is \xC0"},
        {"symbol", symbol, "CONVERSIONSTEST"},
        {"unknown symbol", rt::Symbol{999999}, ""},
        {"array", rt::Usual::ArrayOf({1, 2, 3}), "{[3]}"},
        {"null array", rt::ArrayRef{}, "NULL_ARRAY"},
        {"object", rt::ObjectRef(std::make_shared<Named>()), "{WSERIAL}"},
        {"null object", rt::ObjectRef{}, "NULL_OBJECT"},
        {"null pointer", static_cast<void*>(nullptr), "0x00000000"},
        {"pointer", reinterpret_cast<void*>(std::uintptr_t{0xBEEF}), "0x0000BEEF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(rt::AsString(c.value), c.text);
    }
}

TEST(ConversionsTest, NumbersFollowTheDecimalSettings) {
    IntlScope scope;
    rt::SetDecimalSep(',');
    rt::SetThousandSep('.');
    rt::SetDecimal(3);
    EXPECT_EQ(rt::AsString(1234.5), "1234,500");
    EXPECT_EQ(rt::NTrim(1234.5), "1234,500");
    EXPECT_EQ(rt::AsString(std::int32_t{1234567}), "1234567");
    rt::SetDecimal(0);
    EXPECT_EQ(rt::NTrim(0.5), "1");
    EXPECT_EQ(rt::NTrim(-2.5), "-3");
    EXPECT_EQ(rt::NTrim(1.7), "2");
}

TEST(ConversionsTest, NTrimGivesDigitsOnlyForNumbers) {
    IntlScope scope;
    rt::SetDecimal(2);
    EXPECT_EQ(rt::NTrim(std::int32_t{42}), "42");
    EXPECT_EQ(rt::NTrim(std::uint32_t{4294967295u}), "4294967295");
    EXPECT_EQ(rt::NTrim(std::int64_t{-4294967296}), "-4294967296");
    EXPECT_EQ(rt::NTrim(2.25), "2.25");
    EXPECT_EQ(rt::NTrim(rt::Usual(-7.25)), "-7.25");
    EXPECT_EQ(rt::NTrim(rt::Usual("12")), "");
    EXPECT_EQ(rt::NTrim(rt::NIL), "");
}

TEST(ConversionsTest, StrZeroPadsSignsAndOverflows) {
    IntlScope scope;
    rt::SetDecimalSep('.');
    struct Case {
        double value;
        std::int32_t width;
        std::int32_t decimals;
        std::string text;
    };
    const Case cases[] = {
        {5, 3, 0, "005"},       {0, 3, 0, "000"},
        {123, 3, 0, "123"},     {1234, 3, 0, "***"},
        {-5, 3, 0, "-05"},      {-50, 3, 0, "-50"},
        {-500, 3, 0, "***"},    {3.14159, 8, 2, "00003.14"},
        {-1.5, 6, 1, "-001.5"}, {7, 0, 0, "7"},
        {2.5, 4, 0, "0003"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " width " + std::to_string(c.width));
        EXPECT_EQ(rt::StrZero(c.value, c.width, c.decimals), c.text);
    }
}

TEST(ConversionsTest, UpperNeverBreaksBytes) {
    EXPECT_EQ(rt::Upper("dd.MM.yyyy"), "DD.MM.YYYY");
    EXPECT_EQ(rt::Upper("m/d/yy"), "M/D/YY");
    EXPECT_EQ(rt::Upper(""), "");
    // UTF-8 letters are upper-cased as letters.
    EXPECT_EQ(rt::Upper("\xD1\x82\xD0\xB5\xD1\x81\xD1\x82 ok"),
              "\xD0\xA2\xD0\x95\xD0\xA1\xD0\xA2 OK");
    // Bytes that are not UTF-8 stay as they are; only ASCII letters change.
    EXPECT_EQ(rt::Upper("ab\xE0\xFF"), "AB\xE0\xFF");
}

TEST(ConversionsTest, SubStrCountsFromOneAndBackFromTheEnd) {
    struct Case {
        std::int64_t start;
        std::int64_t count;
        std::string text;
    };
    const Case cases[] = {
        {1, 3, "abc"}, {0, 2, "ab"}, {4, 99, "def"}, {6, 1, "f"}, {7, 1, ""},
        {-2, 2, "ef"}, {-6, 1, "a"}, {-7, 1, ""},    {2, 0, ""},  {2, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + "," + std::to_string(c.count));
        EXPECT_EQ(rt::SubStr("abcdef", c.start, c.count), c.text);
    }
    EXPECT_EQ(rt::SubStr("abcdef", 3), "cdef");
    EXPECT_EQ(rt::SubStr("abcdef", -1), "f");
    EXPECT_EQ(rt::SubStr("", 1), "");
}

TEST(ConversionsTest, ValReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"0", 0},     {"1", 1},    {"  12x", 12}, {"-3", -3},    {"+4", 4},
        {"2.5", 2.5}, {".5", 0.5}, {"7.", 7},     {"", 0},       {"abc", 0},
        {"-", 0},     {"1,5", 1},  {"\t9", 9},    {"00017", 17}, {"1.2.3", 1.2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(rt::Val(c.text), c.value);
    }
}

}  // namespace
