#pragma once
// Reading the values of the check's options. Each list option takes one
// value or several separated by commas ("9600,19200"); a value given twice
// counts once, the first place kept. A failure is one line naming the bad
// value ("'x': why").

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/CheckOptions.h"
#include "platform/runtime/Expected.h"

namespace check {

// Any whole-number rate from 1 upward: the device decides what it accepts.
rt::Expected<std::vector<std::uint32_t>> ParseBauds(const std::string& text);
// Parity names as the window lists them, in any case ("odd", "Even").
rt::Expected<std::vector<std::uint8_t>> ParseParities(const std::string& text,
                                                      const std::vector<ParityChoice>& names);
rt::Expected<std::vector<std::uint8_t>> ParseDataBits(const std::string& text);
// "1", "1.5" or "2", kept as stop-bit codes 0, 1, 2.
rt::Expected<std::vector<std::uint8_t>> ParseStopBits(const std::string& text);
rt::Expected<std::size_t> ParseByteCount(const std::string& text);
// A soak's pass count, from 1 upward.
rt::Expected<std::size_t> ParseRepeat(const std::string& text);
// A soak's duration: whole seconds ("90", "90s"), minutes ("10m") or hours
// ("2h"), from 1 s to 1000 h.
rt::Expected<std::chrono::seconds> ParseDuration(const std::string& text);
// A port name: "Com" in any case and a number from 1 to 255 without leading
// zeros ("Com3", "com12"), kept as given.
rt::Expected<std::string> ParsePortName(const std::string& text);

}  // namespace check
