#include "serialtest/ReceiveRenderer.h"

#include <array>
#include <cstring>

#include "platform/runtime/Activation.h"
#include "platform/window/CodePage1251.h"

namespace serialtest {
namespace {

struct Rendering {
    std::uint8_t length = 0;
    std::array<char16_t, ReceiveRenderer::kMaxWidth> chars{};
};

using Table = std::array<Rendering, 256>;

// Computed at compile time: rendering a flood is one look-up per byte.
constexpr Table BuildTable() {
    Table table{};
    for (int code = 0; code < 256; ++code) {
        Rendering& r = table[static_cast<std::size_t>(code)];
        if (code >= 32) {
            r.length = 1;
            r.chars[0] = win::Cp1251ToUnicode(static_cast<std::uint8_t>(code));
        } else {
            // Decimal, two characters wide, right-aligned, padded with a space.
            r.length = 4;
            r.chars = {u'[', code < 10 ? u' ' : static_cast<char16_t>(u'0' + code / 10),
                       static_cast<char16_t>(u'0' + code % 10), u']'};
        }
    }
    return table;
}

constexpr Table kRenderings = BuildTable();

}  // namespace

std::size_t ReceiveRenderer::RenderedLength(std::string_view bytes) {
    RT_ENTER("RECEIVERENDERER:RENDEREDLENGTH", "SerialMLE Class");
    std::size_t length = 0;
    for (const char b : bytes) length += kRenderings[static_cast<std::uint8_t>(b)].length;
    return length;
}

std::size_t ReceiveRenderer::TailBytesFor(std::string_view bytes, std::size_t chars) {
    RT_ENTER("RECEIVERENDERER:TAILBYTESFOR", "SerialMLE Class");
    std::size_t count = 0;
    std::size_t length = 0;
    while (count < bytes.size() && length < chars)
        length += kRenderings[static_cast<std::uint8_t>(bytes[bytes.size() - ++count])].length;
    return count;
}

void ReceiveRenderer::Append(std::string_view bytes, std::u16string& out) {
    RT_ENTER("RECEIVERENDERER:APPEND", "SerialMLE Class");
    // Sized once, then filled through a pointer four characters at a time
    // (a fixed-size copy) with room for the last one's overshoot; appending
    // character by character costs several times more in a flood.
    const std::size_t at = out.size();
    RT_LINE();
    const std::size_t length = RenderedLength(bytes);
    out.resize(at + length + kMaxWidth);
    char16_t* p = out.data() + at;
    for (const char b : bytes) {
        const Rendering& r = kRenderings[static_cast<std::uint8_t>(b)];
        std::memcpy(p, r.chars.data(), sizeof r.chars);
        p += r.length;
    }
    out.resize(at + length);
}

std::u16string ReceiveRenderer::Render(std::string_view bytes) {
    RT_ENTER("RECEIVERENDERER:RENDER", "SerialMLE Class");
    std::u16string text;
    text.reserve(bytes.size() * kMaxWidth);
    RT_LINE();
    Append(bytes, text);
    return text;
}

}  // namespace serialtest
