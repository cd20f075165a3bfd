#include "check/ModemProbe.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "PtyPair.h"

namespace check {
namespace {

using Names = std::vector<std::string>;

// Inputs as read with an output raised and with both dropped.
serial::ModemLines In(bool cts, bool dsr, bool dcd, bool ri) {
    return {false, false, cts, dsr, dcd, ri};
}

TEST(ModemProbeTest, AnInputFollowsAnOutputOnlyWhenItRisesAndFallsWithIt) {
    struct Case {
        const char* what;
        serial::ModemLines raised;
        serial::ModemLines dropped;
        Names expected;
    };
    const Case cases[] = {
        {"RTS of a loopback plug",
         In(true, false, false, false),
         In(false, false, false, false),
         {"CTS"}},
        {"DTR of a loopback plug",
         In(false, true, true, false),
         In(false, false, false, false),
         {"DSR", "DCD"}},
        {"nothing wired", In(false, false, false, false), In(false, false, false, false), {}},
        // A modem holding DCD and RI up: asserted either way, so following nothing.
        {"stuck inputs", In(true, false, true, true), In(false, false, true, true), {"CTS"}},
        {"an input falling as the output rises",
         In(false, false, false, false),
         In(true, false, false, false),
         {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InputsFollowing(c.raised, c.dropped), c.expected) << c.what;
}

// A pseudo-terminal keeps no modem lines and a closed line has none to read:
// either way the probe reports the device's reason and no following input.
TEST(ModemProbeTest, ALineWithoutModemLinesIsReportedUnsupportedWithTheReason) {
    serial::testing::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    serial::PosixLine open;
    ASSERT_TRUE(open.Open(pty.Path()));
    serial::PosixLine closed;
    struct Case {
        const char* what;
        serial::PosixLine* line;
        std::string reason;
    };
    const Case cases[] = {
        {"pseudo-terminal", &open, std::strerror(ENOTTY)},
        {"closed line", &closed, std::strerror(EBADF)},
    };
    for (const auto& c : cases) {
        const ModemResult result = ProbeModem(*c.line, *c.line, std::chrono::milliseconds(0));
        EXPECT_EQ(result.unsupported, c.reason) << c.what;
        EXPECT_TRUE(result.followRts.empty() && result.followDtr.empty()) << c.what;
    }
}

}  // namespace
}  // namespace check
