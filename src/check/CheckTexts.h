#pragma once
// Every text the line check shows or writes: the table, the progress line,
// the JSON keys' values and the option errors.

#include <string_view>

namespace check::texts {

// Verdicts.
inline constexpr std::string_view kOk = "ok";
inline constexpr std::string_view kFailed = "FAILED";
inline constexpr std::string_view kRefused = "refused";
inline constexpr std::string_view kRateOff = "rate off";
// Beneath the table: "Com1 9600 8N1: the device was lost (Input/output
// error); the settings after it were not checked".
inline constexpr std::string_view kLost = "the device was lost";
inline constexpr std::string_view kRestNotChecked = "; the settings after it were not checked";
// Beneath the table: "Com1 9600 8N1: waiting on the line failed (Invalid
// argument)".
inline constexpr std::string_view kWaitFailed = "waiting on the line failed";

// The UART's own loopback (--internal): its rows are "Com1 (UART)"; a port
// without it gets "internal loopback Com1: not supported (reason)" beneath
// the table; a failed row whose ports carried the setting through their own
// loopback gets "Com1 9600 8N1: the port carried it through its own
// loopback; the plug or cable is at fault", one whose port failed there too
// "Com1 9600 8N1: Com1 failed through its own loopback as well; the port is
// at fault".
inline constexpr std::string_view kInternalSuffix = " (UART)";
inline constexpr std::string_view kInternalHeading = "internal loopback";
inline constexpr std::string_view kLoopNotKept = "the driver does not keep TIOCM_LOOP";
inline constexpr std::string_view kPlugAtFault =
    "the port carried it through its own loopback; the plug or cable is at fault";
inline constexpr std::string_view kPortAtFault =
    " failed through its own loopback as well; the port is at fault";

// Error counters and modem lines a device does not offer.
inline constexpr std::string_view kNotKept = "not kept";
inline constexpr std::string_view kNotSupported = "not supported";
inline constexpr std::string_view kNoErrors = "none";
inline constexpr std::string_view kFollowsNothing = "nothing";
inline constexpr std::string_view kNoDifference = "-";
// The share of nominal on a line no wire paces.
inline constexpr std::string_view kNoWire = "no wire";

// Table headings, in column order; "far applied" only in a cable's table.
inline constexpr std::string_view kHeadings[] = {
    "port",        "requested", "applied",     "far applied", "sent",
    "received",    "wrong",     "first event", "bytes/s",     "of nominal",
    "line errors", "verdict",   "seconds",     "passes",      "longest gap"};
inline constexpr std::size_t kFarAppliedColumn = 3;
// A soak's columns, the last two.
inline constexpr std::size_t kPassesColumn = 13;

// The first slip of a row: "1 missing at 500", then "(+2 more)" when it is
// not the only one. The kinds' names are SlipKindName's.
inline constexpr std::string_view kSlipAt = " at ";
inline constexpr std::string_view kMoreSlipsBefore = " (+";
inline constexpr std::string_view kMoreSlipsAfter = " more)";

inline constexpr std::string_view kModemHeading = "modem lines";
// Beneath the table, RTS/CTS flow control: "flow control Com1: ok (none of
// 256 bytes came in 0.050 s with CTS low; then 256 came)", "flow control
// Com1: FAILED (256 of 256 bytes came in 0.050 s with CTS low; then 0
// came)", with the first event after it when bytes were lost or changed:
// "; 1 missing at 100". Where it could not be checked, "not supported
// (reason)".
inline constexpr std::string_view kFlowHeading = "flow control";
inline constexpr std::string_view kFlowNoneOf = "none of ";
inline constexpr std::string_view kFlowOf = " of ";
inline constexpr std::string_view kFlowBytesCameIn = " bytes came in ";
inline constexpr std::string_view kFlowWithCtsLow = " s with CTS low; then ";
inline constexpr std::string_view kFlowCame = " came";
inline constexpr std::string_view kNoRtsCtsWire = "CTS does not follow RTS: no RTS-CTS wire";
inline constexpr std::string_view kRtsDrivenByDevice =
    "with flow control on, the device drives RTS itself";
inline constexpr std::string_view kSummaryOk = "every applied setting carried every byte";
inline constexpr std::string_view kSummaryFailed =
    "some settings lost, changed or delayed bytes, or ran off their rate";
inline constexpr std::string_view kSummaryNothing = "no setting could be applied";
// A soak's line above the summary: "soak: 12 passes in 600.4 s".
inline constexpr std::string_view kSoakPasses = "soak: ";
inline constexpr std::string_view kSoakPassesIn = " passes in ";
inline constexpr std::string_view kSummaryInterrupted =
    "interrupted: the settings above were checked, the rest were not";

// Progress on standard error: "checking Com1 9600 8N1 (3/12)".
inline constexpr std::string_view kProgress = "checking ";
// After it in a soak: "checking Com1 9600 8N1 (3/12), pass 4".
inline constexpr std::string_view kProgressPass = ", pass ";

// Option values.
inline constexpr std::string_view kBadBaud = "a baud rate is a whole number from 1 upward";
inline constexpr std::string_view kBadParity = "the parity is one of none, odd, even, mark, space";
inline constexpr std::string_view kBadDataBits = "the data bits are 5, 6, 7 or 8";
inline constexpr std::string_view kBadStopBits = "the stop bits are 1, 1.5 or 2";
inline constexpr std::string_view kBadBytes = "the byte count is a whole number from 1 to 16777216";
inline constexpr std::string_view kBadRepeat = "the pass count is a whole number from 1 upward";
inline constexpr std::string_view kBadDuration =
    "the duration is a whole number of seconds, or of minutes or hours with m or h after "
    "it (90s, 10m, 2h), from 1 s to 1000 h";
inline constexpr std::string_view kBadPortName = "not a port name (Com1 to Com255)";
inline constexpr std::string_view kSamePort = "--to names the port being checked, or its device";
inline constexpr std::string_view kCannotOpen = "cannot open ";

}  // namespace check::texts
