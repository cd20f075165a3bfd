#pragma once
// The runtime's conversions between values and texts. Texts are 8-bit byte
// strings. Numbers are written with the decimal separator and, for
// fractions, the number of decimals of the international settings
// (IntlOperations.h); no thousands separators are inserted.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/runtime/Usual.h"

namespace rt {

// The runtime's text form of any value:
//   NIL                 "NIL"
//   integer             its decimal digits, "-" in front when negative
//   float               a whole number as an integer (an unsigned 32-bit
//                       field carried as a float reads as its digits);
//                       otherwise rounded to the current decimals; "INF",
//                       "-INF", "NAN" for the values without digits
//   logical             "TRUE" / "FALSE"
//   date                DToC (DateTime.h)
//   text                itself
//   symbol              its name, empty for a number no symbol has
//   array               "{[n]}" with its element count, "NULL_ARRAY"
//   object              "{CLASSNAME}", "NULL_OBJECT"
//   pointer             "0x" and at least eight upper-case hex digits
std::string AsString(const Usual& value);

// A number as decimal text without spaces (as AsString); empty for a value
// that is not a number.
// One overload for each kind of number, so that no number is narrowed on
// the way (a double must not become an integer).
std::string NTrim(const Usual& value);
std::string NTrim(std::int32_t value);
std::string NTrim(std::uint32_t value);
std::string NTrim(std::int64_t value);
std::string NTrim(double value);

// A number as text of `width` characters padded with zeros on the left
// ("-" stays in front), with `decimals` decimals. A number that does not
// fit is written as `width` asterisks. A width below 1 gives the text
// unpadded.
std::string StrZero(double value, std::int32_t width = 10, std::int32_t decimals = 0);

// Upper case: a text that is valid UTF-8 in every letter, any other text
// in its ASCII letters only, so no byte sequence is ever broken.
std::string Upper(std::string_view text);

// The part of `text` from position `start` (1 is the first byte; 0 counts
// as 1; a negative start counts back from the end, -1 being the last byte),
// at most `count` bytes or to the end. Out of range gives the empty text.
std::string SubStr(std::string_view text, std::int64_t start);
std::string SubStr(std::string_view text, std::int64_t start, std::int64_t count);

// The numeric value at the start of a text: leading blanks, a sign, digits
// and a "." with more digits; reading stops at the first other byte. 0 when
// there are no digits.
double Val(std::string_view text);

// The runtime's version text.
std::string Version();

}  // namespace rt
