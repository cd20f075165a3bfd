#pragma once
// RTS/CTS hardware flow control through a loopback plug or a cable. The
// sending port gets flow control; the receiving port drops RTS, which the
// wire takes to the sender's CTS, and a pattern is written: the transmitter
// must hold every byte. Once RTS rises again, every byte must come, intact.

#include <chrono>
#include <cstdint>

#include "check/CheckReport.h"
#include "platform/serial/PosixLine.h"

namespace check {

// The bytes the check sends: about a tenth of a second at the setting's
// rate on a wire (16 to 256), 256 without one; few enough for any driver's
// transmit buffer to take while the transmitter waits.
std::size_t FlowPatternSize(const serial::LineSettings& s, bool paced);
// How long CTS is held low: twice the pattern's wire time, at least 100 ms,
// on a wire; 50 ms without one.
std::chrono::microseconds FlowHoldTime(const serial::LineSettings& s, std::size_t bytes,
                                       bool paced);

// Checks the direction from `tx` to `rx` (the same line through a plug) at
// the settings in force, `s`; `settle` is the time inputs are given to
// follow outputs. Not supported, saying why, where either line has no
// modem lines, the sender does not keep flow control, or its CTS does not
// follow the receiver's RTS. Flow control is off again afterwards, RTS and
// DTR as found, and both lines are emptied. `stopped` turns true, and the
// result is to be dropped, when `stop` (a descriptor, -1 for none) became
// readable. Once checked, the verdict is Ok when no byte came while CTS was
// low, every byte came once it rose and the line answered throughout.
FlowResult CheckFlow(serial::PosixLine& tx, serial::PosixLine& rx, const serial::LineSettings& s,
                     std::uint32_t seed, std::chrono::milliseconds settle, int stop, bool& stopped);

}  // namespace check
