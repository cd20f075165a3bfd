#pragma once
// Ending the program: the exit code, the data areas, the runtime's shutdown
// and the floating-point state the error handler resets.

#include <cstdint>
#include <functional>

namespace rt {

// Sets the exit code the program ends with; returns the previous one.
std::int32_t ErrorLevel(std::int32_t code);
std::int32_t ErrorLevel();

// Closes all open data areas. comtest opens no data areas (it keeps no
// database tables), so there is nothing to close; the call stays so that the
// handler's abort path reads as it works.
void KXDBCloseAll();

// Registers work for the runtime's shutdown, e.g. closing open files. Hooks
// run in reverse order of registration.
void AtShutdown(std::function<void()> hook);

// Runs the shutdown hooks registered so far, latest first; each runs once.
void RunShutdownHooks();

// Shuts the runtime down (shutdown hooks, then standard streams flushed) and
// ends the process with the ErrorLevel through the process entry's exit
// steps (ExitThroughEntry). Static destructors do not run: the
// window system may still hold objects that must not be torn down twice.
[[noreturn]] void QuitProgram();

// Resets the floating-point state: exception flags cleared, rounding to
// nearest.
void MathInit();

}  // namespace rt
