#pragma once
// Pauses the calling thread.

#include <cstdint>

namespace os {

// Pauses for at least `milliseconds`; 0 only yields the processor.
void Sleep(std::uint32_t milliseconds);

}  // namespace os
