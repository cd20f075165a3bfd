#pragma once
// The data-bit and stop-bit choices the test window offers with its radio
// buttons, in button order. The line check sweeps the same choices.

#include <array>
#include <cstdint>

namespace serialtest {

inline constexpr std::array<std::uint8_t, 2> kDataBitsChoices = {7, 8};
// Stop-bit codes of the serial component: 0 one stop bit, 2 two.
inline constexpr std::array<std::uint8_t, 2> kStopBitsChoices = {0, 2};

}  // namespace serialtest
