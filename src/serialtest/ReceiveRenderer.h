#pragma once
// How a received byte is shown in the pane: 32..255 as the character itself
// in the program's code page (Windows-1251), 0..9 as "[", a space, the digit
// and "]" ("[ 7]"), 10..31 as "[", two digits and "]" ("[13]"). Received
// data never breaks a line: CR LF shows as "[13][10]".

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace serialtest {

class ReceiveRenderer {
  public:
    // The longest rendering of one byte.
    static constexpr std::size_t kMaxWidth = 4;

    // Appends the rendering of `byte` to `out`.
    static void Append(std::uint8_t byte, std::u16string& out);
    // The rendering of a run of bytes.
    static std::u16string Render(std::string_view bytes);
};

}  // namespace serialtest
