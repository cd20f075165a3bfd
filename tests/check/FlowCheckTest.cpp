// RTS/CTS flow control through a plug: the built-in loopback line's plug
// holds the transmitter while CTS is low; a plug whose far end sends back
// whatever it gets, flow control or not, lets bytes through; a bare
// pseudo-terminal has no modem lines to check it with.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "FarEndThread.h"
#include "PtyPair.h"
#include "check/FlowCheck.h"
#include "check/LoopbackEcho.h"
#include "check/ReportTable.h"
#include "platform/serial/LoopbackPlug.h"

namespace check {
namespace {

using serial::testing::PtyPair;
using testing::FarEndThread;

enum class Line { LoopbackLine, EchoIgnoringFlow, BarePseudoTerminal };

struct FlowCase {
    const char* name;
    Line line;
    bool supported;
    Verdict verdict;
    std::size_t whileHeld;
    const char* text;  // how FlowText begins
};

class FlowTest : public ::testing::TestWithParam<FlowCase> {};

TEST_P(FlowTest, TheTransmitterWaitsWhileCtsIsLowAndLosesNothing) {
    const auto& c = GetParam();
    serial::PosixLine line;
    std::optional<LoopbackEcho> echo;
    std::optional<PtyPair> pty;
    std::optional<FarEndThread> far;
    std::shared_ptr<serial::LoopbackPlug> plug;
    if (c.line == Line::LoopbackLine) {
        echo.emplace();
        ASSERT_TRUE(echo->Create());
        ASSERT_TRUE(line.Open(echo->DevicePath()));
        plug = echo->Plug();
        line.AttachPlug(plug);
        echo->Start();
    } else {
        pty.emplace();
        ASSERT_TRUE(pty->Ok());
        ASSERT_TRUE(line.Open(pty->Path()));
        far.emplace(std::vector<testing::Route>{{pty->Master(), pty->Master()}});
        if (c.line == Line::EchoIgnoringFlow) {
            plug = std::make_shared<serial::LoopbackPlug>();
            line.AttachPlug(plug);
        }
    }
    serial::LineSettings s;
    s.baud = 9600;
    bool stopped = true;
    const auto r = CheckFlow(line, line, s, 7, std::chrono::milliseconds(0), -1, stopped);

    EXPECT_FALSE(stopped);
    EXPECT_EQ(r.unsupported.empty(), c.supported) << r.unsupported;
    EXPECT_TRUE(FlowText(r).starts_with(c.text)) << FlowText(r);
    if (!c.supported) return;
    EXPECT_EQ(r.verdict, c.verdict);
    EXPECT_EQ(r.whileHeld, c.whileHeld);
    EXPECT_EQ(r.counts.sent, FlowPatternSize(s, false));
    EXPECT_EQ(r.counts.received, r.counts.sent);
    EXPECT_EQ(r.lost, "");
    // The port is left as it was found: flow control off, RTS raised.
    EXPECT_FALSE(plug->HardwareFlow());
    ASSERT_TRUE(line.Modem());
    EXPECT_TRUE(line.Modem()->rts);
}

INSTANTIATE_TEST_SUITE_P(
    Plugs, FlowTest,
    ::testing::Values(
        FlowCase{"LoopbackLine", Line::LoopbackLine, true, Verdict::Ok, 0,
                 "ok (none of 256 bytes came in 0.050 s with CTS low; then 256 came)"},
        FlowCase{"EchoIgnoringFlow", Line::EchoIgnoringFlow, true, Verdict::Failed, 256,
                 "FAILED (256 of 256 bytes came in 0.050 s with CTS low"},
        FlowCase{"BarePseudoTerminal", Line::BarePseudoTerminal, false, Verdict::Ok, 0,
                 "not supported (Inappropriate ioctl for device)"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace check
