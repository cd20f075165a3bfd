#pragma once
// What a serial line reports beside its data: the modem control lines and
// the driver's receive-error counters.

#include <cstdint>

namespace serial {

// The two outputs and four inputs of an RS-232 port; TRUE is asserted.
struct ModemLines {
    bool rts = false;
    bool dtr = false;
    bool cts = false;
    bool dsr = false;
    bool dcd = false;
    bool ri = false;
    friend bool operator==(const ModemLines&, const ModemLines&) = default;
};

// Receive errors counted by the driver since the device was set up. Only
// differences between two readings mean anything.
struct ErrorCounters {
    std::int64_t parity = 0;
    std::int64_t framing = 0;
    std::int64_t overrun = 0;  // the UART's receive register
    std::int64_t breaks = 0;
    std::int64_t bufferOverrun = 0;  // the driver's receive buffer
    friend bool operator==(const ErrorCounters&, const ErrorCounters&) = default;

    ErrorCounters operator-(const ErrorCounters& before) const {
        return {parity - before.parity, framing - before.framing, overrun - before.overrun,
                breaks - before.breaks, bufferOverrun - before.bufferOverrun};
    }
    bool None() const { return *this == ErrorCounters{}; }
};

}  // namespace serial
