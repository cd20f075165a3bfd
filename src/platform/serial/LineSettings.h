#pragma once
// The four line settings SetProtocol applies, their validation and the text
// that says which of them a device refused.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/runtime/Expected.h"

namespace serial {

// Parity codes of the platform's serial-line interface.
enum class ParityCode : std::uint8_t { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };

// Stop-bit codes: 0 one, 1 one and a half, 2 two.
enum class StopBitsCode : std::uint8_t { One = 0, OneAndHalf = 1, Two = 2 };

struct LineSettings {
    std::uint32_t baud = 9600;
    std::uint8_t parity = 0;
    std::uint8_t byteSize = 8;
    std::uint8_t stopBits = 0;
    // The receiving direction's rate when it differs from `baud` (a device
    // may keep split speeds); 0 means the same as `baud`. A request leaves
    // it 0: both directions run at `baud`.
    std::uint32_t inputBaud = 0;

    std::uint32_t InputBaud() const { return inputBaud != 0 ? inputBaud : baud; }
    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// English name of a parity code ("none", "odd", ...), "code N" when unknown.
std::string ParityName(std::uint8_t parity);
// "1", "1.5", "2", or "code N" when unknown.
std::string StopBitsName(std::uint8_t stopBits);

// Succeeds when the settings can be asked of a device; fails, saying why,
// for baud 0, a byte size outside 5..8, an unknown parity or stop-bits code.
rt::Expected<> ValidSettings(const LineSettings& requested);

// TRUE when a device running at `applied` baud serves a request for
// `requested`: within 1 %, well inside what asynchronous receivers tolerate,
// since some drivers report the rate their divisor really gives.
bool BaudKept(std::uint32_t requested, std::uint32_t applied);

// Names every setting the device did not take, with what it keeps instead:
// "The device /dev/pts/3 refused 7 data bits (it keeps 8), parity odd (it
// keeps none)". A receiving rate that differs from the sending one is named
// on its own ("input speed 9600 baud (it keeps 1200)"). Empty when `applied`
// serves `requested`.
std::string DescribeRefusal(const std::string& device, const LineSettings& requested,
                            const LineSettings& applied);

}  // namespace serial
