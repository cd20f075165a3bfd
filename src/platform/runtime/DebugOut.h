#pragma once
// The debugger output of the runtime. Here it is the process's standard
// error: each message becomes one line of its own.

namespace rt {

// Writes `text` and a line end to standard error in one write, so that the
// lines of several processes sharing the stream do not mix. Line breaks
// inside the text are written as the two characters \r and \n, keeping one
// message on one line. A null or empty text writes nothing.
void DebOut32(const char* text);

}  // namespace rt
