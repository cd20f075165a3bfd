#pragma once
// How a log file is named: beside the program, at a caller's name, or in the
// web server's log directory.

#include <functional>
#include <string>
#include <string_view>

#include "platform/runtime/Usual.h"

namespace diag {

// The log file path for a program at `programPath`.
//  Base name B: `requested` itself when it is a non-empty text holding a
//  separator; the program's folder followed by `requested` when it is a
//  non-empty text without one; the program path in every other case.
//  With d the position of the last "." anywhere in B (also inside a folder
//  name) and s that of its last separator (positions from 1, 0 for none):
//  - not `serverLog`: the first d characters of B followed by "log" when
//    d > 0, else B followed by ".log";
//  - `serverLog`: serverLogDir() followed by the piece of B from s that is
//    d - s characters long when d > 0 (counted as an unsigned 32-bit number,
//    so a "." left of the last separator makes the piece run to the end of
//    B), or the rest of B from s when d = 0; then ".log".
// serverLogDir is called only for a server log.
std::string ChooseLogFileName(std::string_view programPath, const rt::Usual& requested,
                              bool serverLog, const std::function<std::string()>& serverLogDir);

// The backup path for `logName`: its first d characters followed by "bak",
// d being the position of its last "."; `logName` followed by ".bak" when it
// holds no ".".
std::string DeriveBackupName(std::string_view logName);

}  // namespace diag
