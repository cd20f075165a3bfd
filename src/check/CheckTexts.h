#pragma once
// Every text the line check shows or writes: the table, the progress line,
// the JSON keys' values and the option errors.

#include <string_view>

namespace check::texts {

// Verdicts.
inline constexpr std::string_view kOk = "ok";
inline constexpr std::string_view kFailed = "FAILED";
inline constexpr std::string_view kRefused = "refused";
// Beneath the table: "Com1 9600 8N1: the device was lost (Input/output
// error); the settings after it were not checked".
inline constexpr std::string_view kLost = "the device was lost";
inline constexpr std::string_view kRestNotChecked = "; the settings after it were not checked";

// Error counters and modem lines a device does not offer.
inline constexpr std::string_view kNotKept = "not kept";
inline constexpr std::string_view kNotSupported = "not supported";
inline constexpr std::string_view kNoErrors = "none";
inline constexpr std::string_view kFollowsNothing = "nothing";
inline constexpr std::string_view kNoDifference = "-";
// The share of nominal on a line no wire paces.
inline constexpr std::string_view kNoWire = "no wire";

// Table headings, in column order.
inline constexpr std::string_view kHeadings[] = {
    "port",       "requested", "applied",    "sent",        "received", "wrong",
    "first diff", "bytes/s",   "of nominal", "line errors", "verdict",  "seconds"};

inline constexpr std::string_view kModemHeading = "modem lines";
inline constexpr std::string_view kSummaryOk = "every applied setting carried every byte";
inline constexpr std::string_view kSummaryFailed = "some settings lost or changed bytes";
inline constexpr std::string_view kSummaryNothing = "no setting could be applied";
inline constexpr std::string_view kSummaryInterrupted =
    "interrupted: the settings above were checked, the rest were not";

// Progress on standard error: "checking Com1 9600 8N1 (3/12)".
inline constexpr std::string_view kProgress = "checking ";

// Option values.
inline constexpr std::string_view kBadBaud = "a baud rate is a whole number from 1 upward";
inline constexpr std::string_view kBadParity = "the parity is one of none, odd, even, mark, space";
inline constexpr std::string_view kBadDataBits = "the data bits are 5, 6, 7 or 8";
inline constexpr std::string_view kBadStopBits = "the stop bits are 1, 1.5 or 2";
inline constexpr std::string_view kBadBytes = "the byte count is a whole number from 1 to 16777216";
inline constexpr std::string_view kSamePort = "--to names the port being checked, or its device";
inline constexpr std::string_view kCannotOpen = "cannot open ";

}  // namespace check::texts
