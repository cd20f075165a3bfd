#pragma once
// Reading the values of the check's options. Each list option takes one
// value or several separated by commas ("9600,19200"); a value given twice
// counts once. Each function answers FALSE with `error` set to one line
// naming the bad value, leaving `out` as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/CheckOptions.h"

namespace check {

// Any whole-number rate from 1 upward: the device decides what it accepts.
bool ParseBauds(const std::string& text, std::vector<std::uint32_t>& out, std::string& error);
// Parity names as the window lists them, in any case ("odd", "Even").
bool ParseParities(const std::string& text, const std::vector<ParityChoice>& names,
                   std::vector<std::uint8_t>& out, std::string& error);
bool ParseDataBits(const std::string& text, std::vector<std::uint8_t>& out, std::string& error);
// "1", "1.5" or "2", kept as stop-bit codes 0, 1, 2.
bool ParseStopBits(const std::string& text, std::vector<std::uint8_t>& out, std::string& error);
bool ParseByteCount(const std::string& text, std::size_t& out, std::string& error);

}  // namespace check
