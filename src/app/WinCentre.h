#pragma once
// WinCentre: sets a window's origin so that it stands centred on the screen
// (when its owner is nothing or the application object) or on its owner's
// outer size as if the owner stood at (0, 0). Half sizes of the window and
// owner are whole numbers with the fraction dropped; the screen is halved by
// a shift. Nothing clamps the result: a window larger than the screen gets a
// negative origin.
//
// Failures are runtime errors handed to the error block: an argument that is
// not a window raises a data-type error (the window is left as it is); a
// coordinate that overflows 32 bits raises the numeric overflow error, whose
// substitute answer (a number) stands in for the coordinate; the default
// answer gives 0.

#include <cstdint>

#include "platform/runtime/Usual.h"

namespace app {

// Returns NIL.
rt::Usual WinCentre(const rt::Usual& oWindow);

// 32-bit signed subtraction with overflow detection: a - b, or the
// numeric overflow error's answer. (WinCentre's halves of 32-bit sizes never
// overflow it; the check guards the arithmetic all the same.)
std::int32_t Subtract32(std::int32_t a, std::int32_t b);

}  // namespace app
