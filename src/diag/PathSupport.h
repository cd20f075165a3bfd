#pragma once
// Path pieces of the diagnostics log. Paths are split at the platform's
// separator (kPathSep); a path without one is a bare name.

#include <string>
#include <string_view>

namespace diag {

// The full path of the running program when `full` is TRUE; otherwise only
// the part after its last separator (the whole path when it has none).
std::string ProgramFileName(bool full);

// `path` up to and including its last separator; `path` unchanged when it
// holds none.
std::string PathPart(std::string_view path);

}  // namespace diag
