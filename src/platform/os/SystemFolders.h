#pragma once
// The environment and the system folder, read into a caller's buffer the way
// the platform's text calls do: the result is the length of the text placed
// in the buffer without its closing zero; when the buffer is too small it is
// the size needed including the closing zero and the buffer is left
// untouched; 0 when there is no text. A caller therefore takes the buffer
// only when 0 < result < size.

#include <cstdint>

namespace os {

// The value of the environment variable `name`; an unset or empty variable
// gives 0.
std::uint32_t GetEnvironmentVariableA(const char* name, char* buffer, std::uint32_t size);

// The system folder. On Windows the platform's own; elsewhere the folder named
// by the environment variable COMTEST_SYSTEM_DIR when it is set and not
// empty, else the system's library folder "/usr/lib".
std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size);

}  // namespace os
