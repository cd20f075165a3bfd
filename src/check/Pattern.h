#pragma once
// The bytes a check sends and the times it allows for them.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/serial/LineSettings.h"

namespace check {

// `size` pseudo-random bytes from `seed` (the same seed gives the same
// bytes), each fitting `dataBits`: with 7 data bits no byte has its top bit
// set, since the line could not carry it.
std::string MakePattern(std::uint32_t seed, std::size_t size, std::uint8_t dataBits);
// The seed of the pattern of the `step`th row of a run seeded `seed`: every
// row sends bytes of its own, so that bytes a far end sends back late are
// told from the next row's.
std::uint32_t RowSeed(std::uint32_t seed, std::size_t step);

// Bits on the wire per byte: start bit, data bits, parity bit, stop bits
// (one and a half counted as two).
unsigned CharBits(const serial::LineSettings& s);
// Bytes per second the line can carry at most: the baud rate over the bits
// of a character, a start bit, the data bits, a parity bit unless there is
// none, and the stop bits (1, 1.5 or 2).
double NominalRate(const serial::LineSettings& s);
// A setting on a line a wire paces at both ends whose bytes all came, but
// at a rate more than this share away from its nominal rate, is "rate off"
// (a wrong divisor, a misconfigured baud base). The rate is the bytes over
// the time from the first write to the last byte's arrival, so it is judged
// only when the pattern takes kRateJudgedFrom on the wire at least: a
// device's latency (a USB adapter's some milliseconds) then stays well
// inside the tolerance.
inline constexpr double kRateTolerance = 0.10;
inline constexpr std::chrono::milliseconds kRateJudgedFrom{250};
// Whether `bytesPerSecond` is within kRateTolerance of `s`'s nominal rate.
bool RateWithinTolerance(const serial::LineSettings& s, double bytesPerSecond);
// The most bytes one setting's pattern holds, given or by default.
inline constexpr std::size_t kMaxPatternSize = 16u << 20;

// About half a second's worth at the setting's rate, at least 16 bytes and
// at most kMaxPatternSize: a rate far beyond any UART's, which a
// pseudo-terminal takes, would otherwise ask for hundreds of megabytes.
std::size_t DefaultPatternSize(const serial::LineSettings& s);
// The time `bytes` take on the wire.
std::chrono::microseconds WireTime(const serial::LineSettings& s, std::size_t bytes);
// The speed a line without a wire (a pseudo-terminal, the loopback line) is
// counted on: it moves bytes as fast as the program does, whatever the rate
// set, some tens of megabytes a second here, a fraction of that under a
// sanitizer or a loaded machine.
inline constexpr double kUnpacedBytesPerSecond = 4e6;

// How long a transfer of `bytes` may take before what has not come counts
// as missing: one and a half times the wire time plus a fixed allowance for
// the devices' latency (USB adapters hold bytes up to some milliseconds).
// Without a wire (`paced` false) the bytes take at least their time at
// kUnpacedBytesPerSecond, so a rate beyond it does not time out a line that
// carries every byte.
std::chrono::microseconds ReceiveTimeout(const serial::LineSettings& s, std::size_t bytes,
                                         bool paced);
// How long a line must stay quiet before a setting starts, bytes still
// coming from the one before being read off: three bytes' time on the wire,
// within 2 to 40 ms; 2 ms without a wire. kLongestDrain bounds the whole
// wait on a line that keeps talking.
std::chrono::microseconds QuietTime(const serial::LineSettings& s, bool paced);
inline constexpr std::chrono::milliseconds kLongestDrain{250};
// How long to listen after the last expected byte for bytes the line adds:
// two bytes' time on the wire, within 2 to 40 ms.
std::chrono::microseconds TrailingWait(const serial::LineSettings& s);

}  // namespace check
