#pragma once
// Tones that announce a runtime error.

#include <cstdint>

namespace rt {

// Whether errors are announced by tones (initially TRUE); the setter returns
// the previous value.
bool SetBeep();
bool SetBeep(bool value);

// Sounds one tone of `hertz` for `tenths` tenths of a second, through the
// state's tone seam when one is installed. Otherwise on the platform's
// speaker where it can make a tone (the console speaker on Linux, the
// system's tone on Windows), else with the platform's beep (the terminal
// bell). Never fails: a platform without sound stays silent.
void Tone(std::uint32_t hertz, std::uint32_t tenths);

}  // namespace rt
