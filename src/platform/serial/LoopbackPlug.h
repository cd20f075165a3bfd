#pragma once
// What a loopback plug on a port keeps besides the bytes: the frame both
// ends agree on (parity, data bits, stop bits) and the wiring of the modem lines,
// RTS to CTS and DTR to DSR and DCD, RI left unwired. The built-in loopback
// line keeps it here because its pseudo-terminal keeps neither parity, nor
// fewer than 8 data bits, nor 1.5 stop bits, nor modem lines.
//
// The line object sets it and the echo applies it, on different threads when
// the echo has a thread of its own: every member may be called from any
// thread.

#include <cstddef>
#include <mutex>

#include "platform/serial/LineSettings.h"
#include "platform/serial/LineSignals.h"

namespace serial {

class LoopbackPlug {
  public:
    // 8 data bits, no parity, RTS and DTR raised: a port as it is opened.
    LoopbackPlug() = default;

    // Keeps the parity, data bits and stop bits of `requested` (which must
    // pass ValidSettings); the rate is the device's own.
    void Keep(const LineSettings& requested);
    // `fromDevice` with the parity, data bits and stop bits kept here.
    LineSettings Kept(LineSettings fromDevice) const;
    // Passes bytes as the wire does: with fewer than 8 data bits the top
    // bits of each byte are lost. Parity and stop bits change no byte, as
    // both ends of a plug agree on them.
    void Carry(char* bytes, std::size_t size) const;

    // Sets the two outputs; the inputs wired to them follow at once.
    void SetOutputs(bool rts, bool dtr);
    ModemLines Lines() const;
    // Turns RTS/CTS flow control on or off (off as a port is opened).
    void SetHardwareFlow(bool on);
    bool HardwareFlow() const;
    // Whether the transmitter waits: flow control is on and CTS, wired to
    // RTS, is low. The echo then leaves the bytes written where they are,
    // as a UART leaves them in its transmit buffer.
    bool Holds() const;

  private:
    mutable std::mutex mutex_;
    std::uint8_t parity_ = static_cast<std::uint8_t>(ParityCode::None);
    std::uint8_t byteSize_ = 8;
    std::uint8_t stopBits_ = static_cast<std::uint8_t>(StopBitsCode::One);
    bool rts_ = true;
    bool dtr_ = true;
    bool flow_ = false;
};

}  // namespace serial
