#pragma once
// The findings of one check run: a row per setting (and direction, for a
// cable), the modem-line map, and the exit code they give.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/ByteCounts.h"
#include "platform/serial/LineSettings.h"
#include "platform/serial/LineSignals.h"

namespace check {

enum class Verdict { Ok, Failed, Refused };

struct SettingResult {
    std::string path;  // "Com1", or "Com1>Com2" for one direction of a cable
    serial::LineSettings requested;
    // What the device kept; nullopt when it refused the call outright.
    std::optional<serial::LineSettings> applied;
    std::string refusal;  // the device's reason; empty unless refused
    // Why the device stopped answering during this setting, which then
    // failed and was the last one checked; empty while it answered.
    std::string lost;
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

struct CheckReport {
    std::string port;
    std::optional<std::string> to;
    std::uint32_t seed = 0;
    std::vector<SettingResult> rows;
    std::vector<ModemResult> modem;
    // A stop signal ended the run before every planned setting was checked.
    bool interrupted = false;

    // 0 when the run was not interrupted, at least one setting was applied
    // and every applied setting carried every byte, else 1.
    int ExitCode() const;
};

}  // namespace check
