#pragma once
// Texts of the international settings, defined once.

#include <string_view>

namespace errors::text {

// The module SetInternational registers its activations under.
inline constexpr std::string_view kIntlModule = "Error Handling";

// The three mode symbols.
inline constexpr std::string_view kModeWindows = "WINDOWS";
inline constexpr std::string_view kModeBinary = "BINARY";
inline constexpr std::string_view kModeLegacy = "LEGACY";

// SubSystem of the argument error.
inline constexpr std::string_view kIntlSubSystem = "International";

// Fallbacks for locale items that cannot be read.
inline constexpr char kFallbackDecimalSep = '.';
inline constexpr char kFallbackThousandSep = ',';
inline constexpr char kFallbackTimeSep = ':';
inline constexpr char kFallbackDateSep = '/';
inline constexpr std::string_view kFallbackAm = "am";
inline constexpr std::string_view kFallbackPm = "pm";
inline constexpr std::string_view kFallbackShortDate = "mm/dd/yy";
inline constexpr int kFallbackDecimals = 2;

// The fixed settings of the modes LEGACY and BINARY.
inline constexpr std::string_view kFixedDateFormat = "MM/DD/YY";

// The epoch set in mode WINDOWS.
inline constexpr int kWindowsEpoch = 1910;

}  // namespace errors::text
