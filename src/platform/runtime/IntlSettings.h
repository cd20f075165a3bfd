#pragma once
// The runtime's international settings: how numbers, dates and times are
// written (Conversions.h, DateTime.h). Changed through the operations of
// IntlOperations.h. The initial values are the fixed ones of the LEGACY mode
// with the epoch 1900.

#include <cstdint>
#include <string>

namespace rt {

struct IntlSettings {
    char decimalSep = '.';
    char thousandSep = ',';
    char timeSep = ':';
    bool amPm = false;  // TRUE: 12-hour clock followed by amExt / pmExt
    std::string amExt;
    std::string pmExt;
    std::string dateFormat = "MM/DD/YY";
    std::int32_t decimals = 2;
    bool century = false;  // TRUE: years are written with four digits
    std::int32_t epoch = 1900;
    // The international switch: 1 WINDOWS, 2 BINARY, anything else LEGACY.
    std::int32_t intl = 0;
    // The dictionary switch, kept beside it; read back only.
    std::int32_t dict = 0;
};

}  // namespace rt
