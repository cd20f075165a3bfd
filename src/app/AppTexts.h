#pragma once
// Texts the application shell shows, defined once.

namespace app::texts {

inline constexpr char kShellCaption[] = "Тест COM-порта";
// Caption of RPMsg's box when none is given.
inline constexpr char kMessageCaption[] = "Ошибка";

// Descriptions of the runtime errors WinCentre raises.
inline constexpr char kNotAWindow[] = "the argument is not a window";
inline constexpr char kOwnerNotAWindow[] = "the owner is not a window";
inline constexpr char kLongOverflow[] = "conversion to a 32-bit whole number";
inline constexpr char kSubtractOverflow[] = "32-bit subtraction";

}  // namespace app::texts
