#include "check/FlowCheck.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "check/CheckTexts.h"
#include "check/ModemProbe.h"
#include "check/Pattern.h"
#include "check/Transfer.h"

namespace check {

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

constexpr std::size_t kFewestFlowBytes = 16;
constexpr std::size_t kMostFlowBytes = 256;
constexpr milliseconds kShortestPacedHold{100};
constexpr milliseconds kUnpacedHold{50};

}  // namespace

std::size_t FlowPatternSize(const serial::LineSettings& s, bool paced) {
    if (!paced) return kMostFlowBytes;
    const auto tenth = static_cast<std::size_t>(NominalRate(s) / 10);
    return std::clamp(tenth, kFewestFlowBytes, kMostFlowBytes);
}

microseconds FlowHoldTime(const serial::LineSettings& s, std::size_t bytes, bool paced) {
    if (!paced) return kUnpacedHold;
    return std::max<microseconds>(2 * WireTime(s, bytes), kShortestPacedHold);
}

FlowResult CheckFlow(serial::PosixLine& tx, serial::PosixLine& rx, const serial::LineSettings& s,
                     std::uint32_t seed, milliseconds settle, int stop, bool& stopped) {
    FlowResult r;
    stopped = false;
    // The receiver's RTS is the output that drives the sender's CTS.
    const auto original = OutputsIfBothHaveLines(rx, tx);
    if (!original) {
        r.unsupported = original.Error();
        return r;
    }
    const bool paced = tx.Paced() && rx.Paced();
    const auto restore = [&] {
        // Best effort: the finding stands either way, and a line whose
        // settings cannot be set back is found lost by the next setting.
        (void)tx.SetHardwareFlow(false);
        (void)rx.SetModem(original->rts, original->dtr);
        DrainUntilQuiet(rx, QuietTime(s, paced), kLongestDrain, stop);
        tx.Flush();
        rx.Flush();
    };
    // The wire first, with flow control off; then RTS dropped again with it
    // on, which a device that drives RTS itself under flow control ignores.
    std::string why;
    const auto follows = [&](bool rts) {
        // The receiver's RTS drives the sender's CTS.
        const auto lines = InputsAfter(rx, tx, rts, original->dtr, settle);
        if (!lines) why = lines.Error();
        return lines && lines->cts == rts;
    };
    const auto unsupported = [&](std::string_view reason) {
        r.unsupported = why.empty() ? std::string(reason) : why;
        restore();
        return r;
    };
    if (!follows(true) || !follows(false) || !follows(true))
        return unsupported(texts::kNoRtsCtsWire);
    if (auto on = tx.SetHardwareFlow(true); !on) {
        why = on.Error();
        return unsupported(why);
    }
    if (!follows(false)) return unsupported(texts::kRtsDrivenByDevice);

    tx.Flush();
    rx.Flush();
    const std::size_t size = FlowPatternSize(s, paced);
    const std::string pattern = MakePattern(seed, size, s.byteSize);
    const auto hold = FlowHoldTime(s, size, paced);
    // Written with CTS low and listened to for the hold: nothing is complete.
    auto held = Transfer(
        tx, rx, pattern, [](std::string_view) { return false; }, hold, microseconds(0), stop);
    r.heldSeconds = std::chrono::duration<double>(hold).count();
    r.whileHeld = held.bytes.size();
    std::string all = std::move(held.bytes);
    r.lost = !held.lost.empty() ? held.lost : held.failed;
    if (held.stopped) {
        stopped = true;
        restore();
        return r;
    }
    if (r.lost.empty()) {
        if (auto released = rx.SetModem(true, original->dtr); !released) r.lost = released.Error();
    }
    if (r.lost.empty() && all.size() < size) {
        const std::size_t before = all.size();
        auto rest = Transfer(
            tx, rx, {}, [&](std::string_view came) { return before + came.size() >= size; },
            ReceiveTimeout(s, size, paced), TrailingWait(s), stop);
        all += rest.bytes;
        r.lost = !rest.lost.empty() ? rest.lost : rest.failed;
        stopped = rest.stopped;
    }
    restore();
    r.counts = ByteCounts::Compare(pattern, all);
    r.verdict =
        r.whileHeld == 0 && r.counts.Intact() && r.lost.empty() ? Verdict::Ok : Verdict::Failed;
    return r;
}

}  // namespace check
