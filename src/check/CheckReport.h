#pragma once
// The findings of one check run: a row per setting (and direction, for a
// cable), the modem-line map, and the exit code they give.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "check/ByteCounts.h"
#include "platform/serial/LineSettings.h"
#include "platform/serial/LineSignals.h"

namespace check {

// RateOff: every byte came, but at a rate too far from the setting's own
// (a line a wire paces at both ends only).
enum class Verdict { Ok, Failed, Refused, RateOff };

struct SettingResult {
    std::string path;       // "Com1", or "Com1>Com2" for one direction of a cable
    std::string tx, rx;     // the sending and the receiving port
    bool internal = false;  // through the UART's own loopback: "Com1 (UART)"
    serial::LineSettings requested;
    // What the sending device kept; nullopt when it refused the call
    // outright. For a cable, `appliedFar` is what the receiving one kept
    // (nullopt for a lone port, which is both ends).
    std::optional<serial::LineSettings> applied;
    std::optional<serial::LineSettings> appliedFar;
    std::string refusal;  // the device's reason; empty unless refused
    // Why the device stopped answering during this setting, which then
    // failed and was the last one checked; empty while it answered.
    std::string lost;
    // Why waiting on the line failed, which failed the setting; empty
    // while the wait worked.
    std::string failed;
    std::uint32_t seed = 0;  // the seed of this row's own pattern
    // Late bytes count as the row's: those that came after its time, read
    // before the next setting or ahead of that setting's own bytes.
    ByteCounts counts;
    double seconds = 0;         // the whole setting: apply, transfer, counters
    double bytesPerSecond = 0;  // received bytes over the time until the last came
    double nominal = 0;         // bytes per second the setting can carry
    // Whether both ends are lines a wire paces. A pseudo-terminal (the
    // built-in loopback line is one) passes bytes at memory speed, so its
    // rate measures the program, not the setting, and is no share of nominal.
    bool paced = true;
    // Receive errors the driver counted during the transfer; nullopt where it
    // keeps no counters.
    std::optional<serial::ErrorCounters> errors;
    Verdict verdict = Verdict::Ok;
    // A soak's totals: the passes this row sums up (0 before the first), and
    // the longest time without a byte in any of them, from the first byte
    // sent to the last one back.
    std::size_t passes = 0;
    double longestGap = 0;

    // Adds one pass of the same setting and direction: counts, counters and
    // times summed, the events kept up to kMaxSlips, the rate averaged, the
    // worse verdict and the first reasons kept.
    void Merge(const SettingResult& pass);
};

// Which inputs of `inputs` follow each output of `outputs` (the same port
// through a loopback plug, the other end of a cable).
struct ModemResult {
    std::string outputs;
    std::string inputs;
    std::string unsupported;  // the device's reason; empty when the lines were read
    std::vector<std::string> followRts;
    std::vector<std::string> followDtr;
};

// RTS/CTS hardware flow control in one direction (FlowCheck): with CTS
// held low no byte may come; once it rises every byte sent must.
struct FlowResult {
    std::string path;               // "Com1", or "Com1>Com2" for one direction of a cable
    std::string unsupported;        // why it could not be checked; empty when it was
    Verdict verdict = Verdict::Ok;  // Ok or Failed, once checked
    std::size_t whileHeld = 0;      // bytes that came while CTS was low
    double heldSeconds = 0;         // how long CTS was held low
    ByteCounts counts;              // all that came, held or after, against what was sent
    std::string lost;               // why the line stopped answering, when it did
    double seconds = 0;             // the whole check, wiring and settling included
};

struct CheckReport {
    std::string port;
    std::optional<std::string> to;
    std::uint32_t seed = 0;
    std::vector<SettingResult> rows;
    std::vector<ModemResult> modem;
    std::vector<FlowResult> flow;
    // With --internal, the ports whose UART offers no loopback, and why.
    std::vector<std::pair<std::string, std::string>> noInternalLoop;
    // A stop signal ended the run before every planned setting was checked.
    bool interrupted = false;
    // A soak (--repeat, --duration): each row sums up the passes; `passes`
    // counts the passes finished and `seconds` the whole run.
    bool soak = false;
    std::size_t passes = 0;
    double seconds = 0;

    // 0 when the run was not interrupted, at least one setting was applied,
    // every applied setting carried every byte at its rate and no flow
    // control check failed, else 1.
    int ExitCode() const;
};

}  // namespace check
