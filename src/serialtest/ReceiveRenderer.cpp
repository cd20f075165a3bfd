#include "serialtest/ReceiveRenderer.h"

#include <array>

#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/window/CodePage1251.h"

namespace serialtest {
namespace {

struct Rendering {
    std::uint8_t length = 0;
    std::array<char16_t, ReceiveRenderer::kMaxWidth> chars{};
};

using Table = std::array<Rendering, 256>;

Table BuildTable() {
    RT_ENTER("RECEIVERENDERER:BUILDTABLE", "SerialMLE Class");
    RT_LINE();
    Table table{};
    RT_LINE();
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
    RT_LINE();
    return table;
}

}  // namespace

void ReceiveRenderer::Append(std::uint8_t byte, std::u16string& out) {
    RT_ENTER("RECEIVERENDERER:APPEND", "SerialMLE Class");
    // Built once: a received flood renders every byte, so the per-byte work
    // is one table look-up.
    RT_LINE();
    static const Table table = BuildTable();
    RT_LINE();
    const Rendering& r = table[byte];
    RT_LINE();
    out.append(r.chars.data(), r.length);
}

std::u16string ReceiveRenderer::Render(std::string_view bytes) {
    RT_ENTER("RECEIVERENDERER:RENDER", "SerialMLE Class");
    RT_LINE();
    std::u16string text;
    RT_LINE();
    text.reserve(bytes.size() * kMaxWidth);
    RT_LINE();
    for (const char b : bytes) Append(static_cast<std::uint8_t>(b), text);
    RT_LINE();
    return text;
}

}  // namespace serialtest
