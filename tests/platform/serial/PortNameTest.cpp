#include "platform/serial/PortName.h"

#include <gtest/gtest.h>

namespace serial {
namespace {

TEST(PortNameTest, ReadsComOneToComTwoFiftyFiveInAnyCaseAndNothingElse) {
    struct Case {
        const char* text;
        int number;  // 0: not a port name
    };
    const Case cases[] = {
        {"Com1", 1},   {"COM12", 12}, {"cOm255", 255}, {"com9", 9}, {"Com0", 0},  {"Com256", 0},
        {"Com999", 0}, {"Com01", 0},  {"Com", 0},      {"", 0},     {"Com1x", 0}, {"Com 1", 0},
        {"Com-1", 0},  {"foo", 0},    {"Com1000", 0},  {"Cpm1", 0},
    };
    for (const auto& c : cases) {
        const auto port = PortName::Parse(c.text);
        if (c.number == 0) {
            EXPECT_FALSE(port) << c.text;
            continue;
        }
        ASSERT_TRUE(port) << c.text;
        EXPECT_EQ(port->Number(), c.number) << c.text;
        EXPECT_EQ(port->Text(), "Com" + std::to_string(c.number)) << c.text;
        EXPECT_EQ(port, PortName::Parse(port->Text())) << c.text << " compares by its number";
    }
}

}  // namespace
}  // namespace serial
