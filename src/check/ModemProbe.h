#pragma once
// Finds which modem inputs follow which outputs: raises RTS alone, then DTR
// alone, then drops both, reading the inputs each time. An input follows an
// output when it is asserted with that output raised and clear with both
// dropped. The outputs are left as they were found.

#include <chrono>
#include <string>
#include <vector>

#include "check/CheckReport.h"
#include "platform/runtime/Expected.h"
#include "platform/serial/PosixLine.h"

namespace check {

// The inputs ("CTS", "DSR", "DCD", "RI") asserted in `raised` and clear in
// `dropped`: an input asserted or clear in both follows nothing.
std::vector<std::string> InputsFollowing(const serial::ModemLines& raised,
                                         const serial::ModemLines& dropped);

// The time a device's inputs are given to follow its outputs (USB adapters
// report them every few ms).
inline constexpr std::chrono::milliseconds kModemSettle{30};

// The modem lines of `outputs` as they are, once `inputs` has shown it has
// modem lines too; a failure says why either has none (a pseudo-terminal).
rt::Expected<serial::ModemLines> OutputsIfBothHaveLines(serial::PosixLine& outputs,
                                                        serial::PosixLine& inputs);

// Sets RTS and DTR on `outputs`, waits `settle` and reads the inputs of
// `inputs` (the same line or another); a failure says why either refused.
rt::Expected<serial::ModemLines> InputsAfter(serial::PosixLine& outputs, serial::PosixLine& inputs,
                                             bool rts, bool dtr, std::chrono::milliseconds settle);

// `outputs` and `inputs` may be the same line. `settle` is the time the
// inputs are given to follow.
ModemResult ProbeModem(serial::PosixLine& outputs, serial::PosixLine& inputs,
                       std::chrono::milliseconds settle = kModemSettle);

}  // namespace check
