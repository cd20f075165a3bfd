// SetProtocol on a pseudo-terminal, which keeps 8 data bits and no parity
// whatever it is asked, and on a real adapter when one is named.
#include <gtest/gtest.h>

#include <cstdlib>

#include "PtyPair.h"
#include "platform/serial/CustomBaud.h"
#include "platform/serial/Serial.h"

namespace serial {
namespace {

using testing::PtyPair;
using testing::ScopedPortMap;

struct Protocol {
    std::uint32_t baud;
    std::uint8_t parity;
    std::uint8_t byteSize;
    std::uint8_t stopBits;
};

void Configure(Serial& port, const Protocol& p) {
    port.SetBaud(p.baud);
    port.SetParity(p.parity);
    port.SetByteSize(p.byteSize);
    port.SetStopBits(p.stopBits);
}

std::string Describe(const Protocol& p) {
    return std::to_string(p.baud) + "/" + std::to_string(p.parity) + "/" +
           std::to_string(p.byteSize) + "/" + std::to_string(p.stopBits);
}

class SerialProtocolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.Ok());
        ASSERT_TRUE(port_.Open("Com5"));
    }
    PtyPair pty_;
    ScopedPortMap map_{"Com5", pty_.Path()};
    Serial port_{0};
};

TEST_F(SerialProtocolTest, AcceptsWhatAPseudoTerminalCanKeep) {
    // 14400 is no POSIX speed constant; Linux sets it through termios2.
    const Protocol accepted[] = {
        {9600, 0, 8, 0}, {300, 0, 8, 0}, {19200, 0, 8, 2}, {14400, 0, 8, 0}, {115200, 0, 8, 0},
    };
    for (const auto& p : accepted) {
        Configure(port_, p);
        EXPECT_TRUE(port_.SetProtocol()) << Describe(p) << ": " << port_.ErrorDesc();
        EXPECT_EQ(port_.ErrorDesc(), "") << Describe(p);
    }
}

TEST_F(SerialProtocolTest, RefusesDataBitsAndParityHonestly) {
    struct Case {
        Protocol protocol;
        const char* named;
    };
    const Case cases[] = {
        {{9600, 0, 7, 0}, "7 data bits (it keeps 8)"},
        {{9600, 1, 8, 0}, "parity odd (it keeps none)"},
        {{9600, 2, 8, 0}, "parity even (it keeps none)"},
        {{9600, 3, 8, 0}, "parity mark (it keeps none)"},
        {{9600, 4, 8, 0}, "parity space (it keeps none)"},
        {{9600, 2, 7, 0}, "7 data bits (it keeps 8), parity even"},
        // No POSIX terminal has 1.5 stop bits: the nearest is asked for and
        // the difference reported.
        {{9600, 0, 8, 1}, "1.5 stop bits (it keeps 2)"},
    };
    for (const auto& c : cases) {
        Configure(port_, c.protocol);
        EXPECT_FALSE(port_.SetProtocol()) << Describe(c.protocol);
        EXPECT_NE(port_.ErrorDesc().find(c.named), std::string::npos) << port_.ErrorDesc();
        EXPECT_NE(port_.ErrorDesc().find(pty_.Path()), std::string::npos) << port_.ErrorDesc();
        // The port stays open and usable after a refusal.
        EXPECT_TRUE(port_.IsOpen());
    }
    port_.Write("still");
    EXPECT_EQ(pty_.Receive(5), "still");
    Configure(port_, {9600, 0, 8, 0});
    EXPECT_TRUE(port_.SetProtocol()) << port_.ErrorDesc();
}

TEST_F(SerialProtocolTest, SetsTheInputSpeedToo) {
    // The pseudo-terminal's settings are the far end's too, so the master
    // can leave the line as another program might and read back both rates.
    struct Case {
        const char* what;
        std::uint32_t leftInput;  // 0: no split left behind
        std::uint32_t leftOutput;
        std::uint32_t before;  // 0: no earlier SetProtocol
        std::uint32_t baud;
    };
    const Case cases[] = {
        {"split speeds left behind", 1200, 9600, 0, 9600},
        {"standard rate after a custom one", 0, 0, 14400, 9600},
    };
    for (const auto& c : cases) {
        if (c.leftInput != 0) {
            ASSERT_TRUE(SetSplitBaud(pty_.Master(), c.leftInput, c.leftOutput));
        }
        if (c.before != 0) {
            Configure(port_, {c.before, 0, 8, 0});
            ASSERT_TRUE(port_.SetProtocol()) << c.what << ": " << port_.ErrorDesc();
        }
        Configure(port_, {c.baud, 0, 8, 0});
        EXPECT_TRUE(port_.SetProtocol()) << c.what << ": " << port_.ErrorDesc();
        const auto speeds = ReadBackSpeeds(pty_.Master());
        ASSERT_TRUE(speeds.has_value());
        EXPECT_EQ(speeds->input, c.baud) << c.what;
        EXPECT_EQ(speeds->output, c.baud) << c.what;
    }
}

TEST_F(SerialProtocolTest, RefusesValuesNoDeviceCouldTake) {
    const Protocol invalid[] = {
        {0, 0, 8, 0},
        {9600, 7, 8, 0},
        {9600, 0, 9, 0},
        {9600, 0, 8, 5},
    };
    for (const auto& p : invalid) {
        Configure(port_, p);
        EXPECT_FALSE(port_.SetProtocol()) << Describe(p);
        EXPECT_NE(port_.ErrorDesc().find("Invalid"), std::string::npos) << port_.ErrorDesc();
    }
}

TEST(SerialRealAdapterTest, AppliesDataBitsAndParity) {
    const char* device = std::getenv("COMTEST_TEST_PORT");
    if (device == nullptr || *device == '\0')
        GTEST_SKIP() << "needs a real serial adapter: set COMTEST_TEST_PORT to its device";
    ScopedPortMap map("Com9", device);
    Serial port(0);
    ASSERT_TRUE(port.Open("Com9")) << port.ErrorDesc();
    const Protocol accepted[] = {
        {9600, 2, 7, 0}, {9600, 1, 7, 2}, {19200, 3, 8, 0}, {300, 4, 8, 0}, {9600, 0, 8, 0},
    };
    for (const auto& p : accepted) {
        Configure(port, p);
        EXPECT_TRUE(port.SetProtocol()) << Describe(p) << ": " << port.ErrorDesc();
    }
}

}  // namespace
}  // namespace serial
