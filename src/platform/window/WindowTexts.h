#pragma once
// Texts the window layer shows by itself.

namespace win::texts {

// Caption of an error box when its owner gives none.
inline constexpr char kErrorBoxCaption[] = "Error";

// The line on standard error when no display platform can be started, made
// of a beginning and what is missing.
inline constexpr char kCannotStart[] = "cannot start: ";
inline constexpr char kNoDisplay[] = "no display, DISPLAY is not set";
inline constexpr char kDisplayRefused[] = "cannot connect to the display";
inline constexpr char kPlatformMissing[] = "the display platform";
inline constexpr char kNotInstalled[] = " is not installed";
inline constexpr char kNotStarted[] = " could not be started";
inline constexpr char kNoScreen[] = " has no screen";
inline constexpr char kWaylandPluginMissing[] =
    "the Wayland platform plugin is not installed (package qt6-wayland)";
inline constexpr char kNoWaylandDisplay[] = "no Wayland compositor, WAYLAND_DISPLAY is not set";
inline constexpr char kWaylandRefused[] = "the Wayland compositor does not answer, WAYLAND_DISPLAY";

}  // namespace win::texts
