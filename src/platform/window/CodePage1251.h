#pragma once
// The program's single-byte code page (Windows-1251): codes 0..127 are
// ASCII, 128..255 the Cyrillic page. Character messages and received bytes
// are shown through it.

#include <cstdint>

namespace win {

// The Unicode character of a code-page byte. 0x98, unassigned in the code
// page, maps to U+0098 as the platform's own conversion does.
char16_t Cp1251ToUnicode(std::uint8_t byte);

}  // namespace win
