#pragma once
// A position in pixels: a window's origin relative to its owner's canvas (a
// child window) or to the screen (a top-level window).

#include <cstdint>

namespace win {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

}  // namespace win
