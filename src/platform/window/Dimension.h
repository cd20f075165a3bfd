#pragma once
// A width and a height in pixels.

#include <cstdint>

namespace win {

struct Dimension {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t Width() const { return width; }
    std::int32_t Height() const { return height; }
    friend bool operator==(const Dimension&, const Dimension&) = default;
};

}  // namespace win
