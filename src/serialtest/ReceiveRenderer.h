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

    // Appends the rendering of each byte of `bytes` to `out`, in order.
    static void Append(std::string_view bytes, std::u16string& out);
    // The length of the rendering of `bytes`.
    static std::size_t RenderedLength(std::string_view bytes);
    // How many bytes at the end of `bytes` render into the last `chars`
    // characters (at least `chars` of them when the run is long enough).
    static std::size_t TailBytesFor(std::string_view bytes, std::size_t chars);
    // The rendering of a run of bytes.
    static std::u16string Render(std::string_view bytes);
};

}  // namespace serialtest
