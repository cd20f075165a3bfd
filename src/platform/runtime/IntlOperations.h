#pragma once
// The settings operations over IntlSettings. Each one without an argument
// reads the setting; with one it sets it and returns the value it had.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/runtime/Usual.h"

namespace rt {

// Separators, as character codes. Only the low eight bits of a code are
// kept; 0 is refused (the setting stays) since it would end a text.
std::uint32_t SetDecimalSep();
std::uint32_t SetDecimalSep(std::uint32_t code);
std::uint32_t SetThousandSep();
std::uint32_t SetThousandSep(std::uint32_t code);
std::uint32_t SetTimeSep();
std::uint32_t SetTimeSep(std::uint32_t code);

// TRUE: times are written on the 12-hour clock with the am or pm text.
bool SetAmPm();
bool SetAmPm(bool twelveHour);
std::string SetAMExt();
std::string SetAMExt(std::string_view text);
std::string SetPMExt();
std::string SetPMExt(std::string_view text);

// The date format: "DD", "MM" and "YY" or "YYYY" with separators between
// them, kept as given. How many digits the year gets is SetCentury's
// decision, not the format's.
std::string SetDateFrmt();
std::string SetDateFrmt(std::string_view format);

// Decimals of a fractional number's text, kept within 0 to 9.
std::int32_t SetDecimal();
std::int32_t SetDecimal(std::int32_t decimals);

// TRUE: years are written with four digits.
bool SetCentury();
bool SetCentury(bool fourDigits);

// The first year of the hundred that a two-digit year falls into.
std::int32_t SetEpoch();
std::int32_t SetEpoch(std::int32_t year);

// The two switches. A logical sets 1 (TRUE) or 0 (FALSE), a number sets
// itself; any other value leaves the switch as it is.
std::int32_t SetIntl();
std::int32_t SetIntl(const Usual& value);
std::int32_t SetDict();
std::int32_t SetDict(const Usual& value);

}  // namespace rt
