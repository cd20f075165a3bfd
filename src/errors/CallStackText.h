#pragma once
// The call-stack text every new error object carries: one line per recorded
// activation, innermost first, "NAME (Line:n)" and CR LF each.

#include <cstddef>
#include <cstdint>
#include <string>

namespace errors {

// The four settings of the call-stack text.
struct CallStackSettings {
    // Most lines in one text; a value below 1 counts as 1.
    int maxLines = 5;
    // Above 0: stop once this many listed activations had a name ending in
    // ":EXEC" or ":DISPATCH" (the event loop). 0: no such stop.
    int stopCount = 0;
    // Prefix each line with its level ("003, "; "*** , " above the depth).
    bool showLevel = false;
    // Prefix each line with the activation's module name and ", ".
    bool showFile = false;
};

// The settings the system runs with.
inline constexpr CallStackSettings kCallStackSettings{};

// The call stack from `level` outward. Levels count out from the code that
// calls CallStackText (level 0); `ownFrames` further innermost activations
// belong to the caller's own machinery and are left out too. Levels are
// unsigned 32-bit: a level above the depth never meets it, so the text then
// holds maxLines lines of "*ProcName* (Line:0)". No line at all gives
// "*EmptyCallStack*" and CR LF.
std::string CallStackText(std::uint32_t level, std::size_t ownFrames = 0,
                          const CallStackSettings& settings = kCallStackSettings);

}  // namespace errors
