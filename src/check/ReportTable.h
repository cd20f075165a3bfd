#pragma once
// The report as a person reads it: one row per setting with aligned
// columns, the devices' reasons for refused settings beneath, then the
// modem-line map, the flow-control findings and a one-line summary.

#include <string>

#include "check/CheckReport.h"

namespace check {

std::string ReportTable(const CheckReport& report);

// "none", "not kept", or the counters that moved: "parity 2, framing 1".
std::string LineErrorsText(const std::optional<serial::ErrorCounters>& errors);
// "RTS -> CTS; DTR -> DSR DCD", or "not supported (reason)".
std::string ModemText(const ModemResult& modem);
// "ok (none of 256 bytes came in 0.050 s with CTS low; then 256 came)", or
// "not supported (reason)".
std::string FlowText(const FlowResult& flow);

}  // namespace check
