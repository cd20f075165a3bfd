#include "platform/window/Color.h"

#include <array>

namespace win {
namespace {

constexpr std::array<QRgb, 16> kPalette = {
    0x000000, 0x00207A, 0x007A20, 0x007A7A, 0x7A0000, 0x7A007A, 0x7A7A00, 0xDCDCD4,
    0x808080, 0x0050FF, 0x00E040, 0x00E0E0, 0xE00000, 0xE000E0, 0xE0E000, 0xFFFFFF,
};

}  // namespace

Color::Color(std::uint32_t index) : rgb_(QColor::fromRgb(kPalette[index % kPalette.size()])) {}

}  // namespace win
