#pragma once
// Texts the application shell shows, defined once. Those marked
// QT_TRANSLATE_NOOP are shown in the user's language (win::Translations).

#include <QtGlobal>

namespace app::texts {

inline constexpr char kShellCaption[] = QT_TRANSLATE_NOOP("comtest", "Тест COM-порта");
// Caption of RPMsg's box when none is given.
inline constexpr char kMessageCaption[] = QT_TRANSLATE_NOOP("comtest", "Ошибка");

// The line on standard error when a stop signal ends a running test:
// "comtest: stopped by SIGTERM; the port was closed".
inline constexpr char kStoppedBy[] = "stopped by ";
inline constexpr char kPortClosed[] = "; the port was closed";

// Descriptions of the runtime errors WinCentre raises.
inline constexpr char kNotAWindow[] = "the argument is not a window";
inline constexpr char kOwnerNotAWindow[] = "the owner is not a window";
inline constexpr char kLongOverflow[] = "conversion to a 32-bit whole number";
inline constexpr char kSubtractOverflow[] = "32-bit subtraction";

}  // namespace app::texts
