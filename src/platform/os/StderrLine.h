#pragma once
// The program's own lines on standard error. Lower layers give bare reasons;
// the program's name is put before them here, once, as the line is written.

#include <string>
#include <string_view>

namespace os {

// "comtest: TEXT" and a line end.
std::string ProgramLine(std::string_view text);

// Writes all of `bytes` to standard error, going on after interruptions;
// stops at the first failure.
void WriteStderr(std::string_view bytes);

// Writes ProgramLine(text) to standard error with one write, so that lines
// of several threads never mix; fit for a signal's own thread.
void StderrLine(std::string_view text);

}  // namespace os
