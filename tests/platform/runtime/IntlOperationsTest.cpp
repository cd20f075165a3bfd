// The settings operations: read without argument, set and give back the
// previous value, refuse what they cannot keep.
#include <gtest/gtest.h>

#include "IntlScope.h"
#include "platform/runtime/IntlOperations.h"

namespace {

TEST(IntlOperationsTest, SettersReturnThePreviousValue) {
    IntlScope scope;
    rt::SetDecimalSep('.');
    EXPECT_EQ(rt::SetDecimalSep(','), unsigned('.'));
    EXPECT_EQ(rt::SetDecimalSep(), unsigned(','));
    rt::SetThousandSep(',');
    EXPECT_EQ(rt::SetThousandSep(' '), unsigned(','));
    EXPECT_EQ(rt::SetThousandSep(), unsigned(' '));
    rt::SetTimeSep(':');
    EXPECT_EQ(rt::SetTimeSep('.'), unsigned(':'));
    rt::SetAmPm(false);
    EXPECT_FALSE(rt::SetAmPm(true));
    EXPECT_TRUE(rt::SetAmPm());
    rt::SetAMExt("");
    EXPECT_EQ(rt::SetAMExt(" AM"), "");
    EXPECT_EQ(rt::SetAMExt(), " AM");
    rt::SetPMExt(" x");
    EXPECT_EQ(rt::SetPMExt(" PM"), " x");
    rt::SetDateFrmt("MM/DD/YY");
    EXPECT_EQ(rt::SetDateFrmt("DD.MM.YYYY"), "MM/DD/YY");
    EXPECT_EQ(rt::SetDateFrmt(), "DD.MM.YYYY");
    rt::SetCentury(false);
    EXPECT_FALSE(rt::SetCentury(true));
    EXPECT_TRUE(rt::SetCentury());
    rt::SetEpoch(1900);
    EXPECT_EQ(rt::SetEpoch(1910), 1900);
    EXPECT_EQ(rt::SetEpoch(), 1910);
}

TEST(IntlOperationsTest, SeparatorsKeepOneByteAndRefuseZero) {
    IntlScope scope;
    rt::SetDecimalSep(',');
    EXPECT_EQ(rt::SetDecimalSep(0), unsigned(','));
    EXPECT_EQ(rt::SetDecimalSep(), unsigned(','));
    rt::SetTimeSep(0x100 + '.');
    EXPECT_EQ(rt::SetTimeSep(), unsigned('.'));
    rt::SetThousandSep(0xA0);
    EXPECT_EQ(rt::SetThousandSep(), 0xA0u);
}

TEST(IntlOperationsTest, DecimalsStayWithinZeroToNine) {
    IntlScope scope;
    for (const auto& [given, kept] :
         {std::pair{2, 2}, {0, 0}, {9, 9}, {-1, 0}, {10, 9}, {100, 9}}) {
        SCOPED_TRACE(given);
        rt::SetDecimal(given);
        EXPECT_EQ(rt::SetDecimal(), kept);
    }
}

TEST(IntlOperationsTest, SwitchesTakeLogicalsAndNumbersOnly) {
    IntlScope scope;
    struct Case {
        const char* what;
        rt::Usual value;
        std::int32_t kept;
    };
    const Case cases[] = {
        {"TRUE", true, 1}, {"FALSE", false, 0}, {"2", std::int32_t{2}, 2}, {"2.0", 2.0, 2},
        {"text", "1", 7},  {"NIL", rt::NIL, 7}, {"huge", 1e12, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        rt::SetIntl(std::int32_t{7});
        rt::SetDict(std::int32_t{7});
        EXPECT_EQ(rt::SetIntl(c.value), 7);
        EXPECT_EQ(rt::SetIntl(), c.kept);
        EXPECT_EQ(rt::SetDict(c.value), 7);
        EXPECT_EQ(rt::SetDict(), c.kept);
    }
}

}  // namespace
