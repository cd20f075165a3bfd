#include "platform/serial/LineSettings.h"

#include <gtest/gtest.h>

namespace serial {
namespace {

TEST(LineSettingsTest, InvalidSettingsNameTheBadValue) {
    struct Case {
        LineSettings settings;
        const char* mentions;  // nullptr: valid
    };
    const Case cases[] = {
        {{9600, 0, 8, 0}, nullptr},         {{300, 4, 5, 2}, nullptr},
        {{14400, 3, 7, 1}, nullptr},        {{0, 0, 8, 0}, "baud rate 0"},
        {{9600, 0, 4, 0}, "data bits 4"},   {{9600, 0, 9, 0}, "data bits 9"},
        {{9600, 5, 8, 0}, "parity code 5"}, {{9600, 0, 8, 3}, "stop bits code 3"},
    };
    for (const auto& c : cases) {
        const auto valid = ValidSettings(c.settings);
        if (c.mentions == nullptr) {
            EXPECT_TRUE(valid) << valid.Error();
        } else {
            ASSERT_FALSE(valid) << c.mentions;
            EXPECT_NE(valid.Error().find(c.mentions), std::string::npos) << valid.Error();
        }
    }
}

TEST(LineSettingsTest, RefusalNamesEachSettingTheDeviceKeptOtherwise) {
    struct Case {
        LineSettings requested;
        LineSettings applied;
        std::string expected;
    };
    const Case cases[] = {
        {{9600, 0, 8, 0}, {9600, 0, 8, 0}, ""},
        {{9600, 0, 7, 0}, {9600, 0, 8, 0}, "The device /dev/x refused 7 data bits (it keeps 8)"},
        {{9600, 1, 8, 0}, {9600, 0, 8, 0}, "The device /dev/x refused parity odd (it keeps none)"},
        {{9600, 3, 8, 0}, {9600, 2, 8, 0}, "The device /dev/x refused parity mark (it keeps even)"},
        {{14400, 0, 8, 0}, {9600, 0, 8, 0}, "The device /dev/x refused 14400 baud (it keeps 9600)"},
        {{9600, 0, 8, 1}, {9600, 0, 8, 2}, "The device /dev/x refused 1.5 stop bits (it keeps 2)"},
        {{9600, 0, 8, 0},
         {9600, 0, 8, 0, 1200},
         "The device /dev/x refused input speed 9600 baud (it keeps 1200)"},
        {{9600, 0, 8, 0}, {9600, 0, 8, 0, 9600}, ""},
        {{19200, 0, 8, 0},
         {9600, 0, 8, 0, 9600},
         "The device /dev/x refused 19200 baud (it keeps 9600)"},
        // A divisor's rate within 1 % counts as kept; beyond it does not.
        {{14400, 0, 8, 0}, {14406, 0, 8, 0}, ""},
        {{115200, 0, 8, 0}, {114285, 0, 8, 0}, ""},
        {{115200, 0, 8, 0},
         {111111, 0, 8, 0},
         "The device /dev/x refused 115200 baud (it keeps 111111)"},
        {{19200, 4, 7, 2},
         {9600, 0, 8, 0},
         "The device /dev/x refused 19200 baud (it keeps 9600), 7 data bits (it keeps 8), "
         "parity space (it keeps none), 2 stop bits (it keeps 1)"},
        // Codes outside the tables are named by their number.
        {{9600, 9, 8, 0},
         {9600, 0, 8, 0},
         "The device /dev/x refused parity code 9 (it keeps none)"},
        {{9600, 0, 8, 7},
         {9600, 0, 8, 1},
         "The device /dev/x refused code 7 stop bits (it keeps 1.5)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeRefusal("/dev/x", c.requested, c.applied), c.expected);
}

}  // namespace
}  // namespace serial
