#pragma once
// Hexadecimal text of dynamic values, for the lines of the error logs that
// describe an operating-system exception. Digits A to F are upper case.

#include <string>
#include <string_view>

#include "platform/runtime/Usual.h"

namespace errors {

// A floating number that is whole and within -2147483647 .. 4294967295: the
// 8 digits of its 32-bit pattern (unsigned above 0, two's complement for 0
// and below). Any other floating number (a fraction, beyond that range,
// -2147483648, infinities and NaN): 16 digits of its 64-bit IEEE pattern,
// the half stored at the lower address first. A text: HexBytes of it. Any
// other value: the 8 digits of its 32-bit content (an integer's value, a
// logical's 0/1, a symbol's number, the low 32 bits of an address).
std::string HexValue(const rt::Usual& value);

// Two digits and one space for each byte, in order; "" for "".
std::string HexBytes(std::string_view text);

}  // namespace errors
