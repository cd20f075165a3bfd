#pragma once
// The UART's own loopback (TIOCM_LOOP): its transmitter feeds its receiver
// inside the chip, the pins left alone, so a check through it tells a port
// at fault from a plug or cable at fault. Built-in UARTs offer it; most USB
// adapters and pseudo-terminals do not.

#include <string>

namespace check {

// Turns the loopback of the terminal device `fd` on or off. Empty when done,
// else why not: the device's refusal, or that it did not keep the loop (a
// driver that takes the call but ignores it, as most USB adapters' do).
std::string SetInternalLoop(int fd, bool on);

}  // namespace check
