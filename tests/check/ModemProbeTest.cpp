#include "check/ModemProbe.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace check
