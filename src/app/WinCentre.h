#pragma once
// WinCentre: sets a window's origin so that it stands centred on the screen
// (when its owner is nothing or the application object) or on its owner's
// outer size as if the owner stood at (0, 0). Half sizes of the window and
// owner are whole numbers with the fraction dropped; the screen is halved by
// a shift. Nothing clamps the result: a window larger than the screen gets a
// negative origin.
//
// Failures: an argument that is not a window object raises a runtime error
// (std::invalid_argument for now); a coordinate whose subtraction overflows
// 32 bits raises the numeric overflow error (NumericOverflow).

#include <stdexcept>

#include "platform/runtime/Usual.h"

namespace app {

// The runtime's numeric overflow error, raised by 32-bit arithmetic with
// overflow detection.
class NumericOverflow : public std::overflow_error {
  public:
    explicit NumericOverflow(const char* operation) : std::overflow_error(operation) {}
};

// Returns NIL.
rt::Usual WinCentre(const rt::Usual& oWindow);

// 32-bit signed subtraction with overflow detection: a - b, or
// NumericOverflow. (WinCentre's halves of 32-bit sizes never overflow it;
// the check guards the arithmetic all the same.)
std::int32_t Subtract32(std::int32_t a, std::int32_t b);

}  // namespace app
