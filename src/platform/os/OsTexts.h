#pragma once
// The lines the operating-system layer writes to standard error, defined once.

#include <string_view>

namespace os::texts {

inline constexpr std::string_view kStderrPrefix = "comtest: ";

// A stop signal ends the program: "comtest: stopped by SIGTERM", followed by
// what became of the port, if one was open.
inline constexpr std::string_view kStoppedBy = "stopped by ";
// The program closed the port itself, which set the device back.
inline constexpr char kPortClosed[] = "; the port was closed";
// The port's settings were put back as the process ended.
inline constexpr std::string_view kPortSetBack = "; the port was set back";

// "comtest: cannot read the settings file PATH: REASON"; comtest goes on
// without stored settings.
inline constexpr std::string_view kCannotReadSettings = "cannot read the settings file ";
inline constexpr std::string_view kReadTooLong = "the read did not end within a second";

}  // namespace os::texts
