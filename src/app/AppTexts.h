#pragma once
// Texts the application shell shows, defined once. Those marked
// QT_TRANSLATE_NOOP are shown in the user's language (win::Translations).

#include <QtGlobal>

namespace app::texts {

inline constexpr char kShellCaption[] = QT_TRANSLATE_NOOP("comtest", "Тест COM-порта");
// Caption of RPMsg's box when none is given.
inline constexpr char kMessageCaption[] = QT_TRANSLATE_NOOP("comtest", "Ошибка");

// Descriptions of the runtime errors WinCentre raises.
inline constexpr char kNotAWindow[] = "the argument is not a window";
inline constexpr char kOwnerNotAWindow[] = "the owner is not a window";
inline constexpr char kLongOverflow[] = "conversion to a 32-bit whole number";
inline constexpr char kSubtractOverflow[] = "32-bit subtraction";

}  // namespace app::texts
