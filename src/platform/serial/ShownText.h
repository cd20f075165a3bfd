#pragma once
// Text from outside (a device's USB strings, a path given by the user) made
// safe for a terminal, and its width there.
//
// Escape keeps printable UTF-8 and shows, as \xNN, each C0 control and DEL,
// each C1 control (U+0080 to U+009F, by its code) and each byte that is no
// part of valid UTF-8 (a raw 0x9B among them); the bidirectional embeddings,
// overrides and isolates (U+202A to U+202E, U+2066 to U+2069) show as \uNNNN.
// Written raw, any of these could split a line, drive the terminal or turn
// the text that follows around.
//
// Width counts terminal columns of escaped text: 2 for East Asian wide and
// fullwidth characters, 0 for combining marks and zero-width characters, 1
// for the rest.

#include <cstddef>
#include <string>

namespace serial {

class ShownText {
  public:
    static std::string Escape(const std::string& text);
    static std::size_t Width(const std::string& text);
    // `text` cut to at most `bytes` bytes at a character boundary, so a
    // multi-byte character is kept whole or left out.
    static std::string CutAt(const std::string& text, std::size_t bytes);
};

}  // namespace serial
