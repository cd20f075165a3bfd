#include "platform/serial/ShownText.h"

#include <QChar>
#include <cstdint>
#include <cstdio>

namespace serial {
namespace {

// One character decoded from UTF-8: its code and length in bytes; length 0
// for a byte that does not start a valid sequence.
struct Decoded {
    char32_t code = 0;
    std::size_t length = 0;
};

Decoded Decode(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    if (first < 0x80) return {first, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((first & 0xE0) == 0xC0) {
        length = 2, code = first & 0x1F, least = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3, code = first & 0x0F, least = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4, code = first & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (at + length > text.size()) return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return {};
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and codes past Unicode are not valid.
    if (code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return {};
    return {code, length};
}

bool IsBidiControl(char32_t code) {
    return (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
           (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsZeroWidth(char32_t c) {
    const auto category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing ||
           category == QChar::Other_Format;
}

// "\x1b" (`kind` 'x', two digits) or "\u202e" ('u', four).
std::string Escaped(char kind, unsigned value) {
    char escaped[12];
    std::snprintf(escaped, sizeof escaped, "\\%c%0*x", kind, kind == 'u' ? 4 : 2, value);
    return escaped;
}

}  // namespace

std::string ShownText::Escape(const std::string& text) {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const Decoded d = Decode(text, at);
        if (d.length == 0) {
            shown += Escaped('x', static_cast<unsigned char>(text[at]));
            ++at;
            continue;
        }
        if (d.code < 0x20 || (d.code >= 0x7F && d.code <= 0x9F))
            shown += Escaped('x', static_cast<unsigned>(d.code));
        else if (IsBidiControl(d.code))
            shown += Escaped('u', static_cast<unsigned>(d.code));
        else
            shown.append(text, at, d.length);
        at += d.length;
    }
    return shown;
}

std::size_t ShownText::Width(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const Decoded d = Decode(text, at);
        if (d.length == 0) {
            ++width;
            ++at;
            continue;
        }
        width += IsWide(d.code) ? 2 : IsZeroWidth(d.code) ? 0 : 1;
        at += d.length;
    }
    return width;
}

std::string ShownText::CutAt(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = 0;
    for (std::size_t at = 0; at < bytes;) {
        const Decoded d = Decode(text, at);
        const std::size_t length = d.length == 0 ? 1 : d.length;
        if (at + length > bytes) break;
        at += length;
        end = at;
    }
    return text.substr(0, end);
}

}  // namespace serial
