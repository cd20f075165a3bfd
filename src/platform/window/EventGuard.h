#pragma once
// The window layer's event dispatch calls the program's handlers (button
// clicks, close requests) through Guarded: a C++ exception escaping a
// handler never unwinds through the toolkit; it is handed to the runtime's
// error system and the event counts as handled.

#include <exception>
#include <string_view>

namespace win {

// Hands an exception that escaped the handler for `operation` to the
// runtime's error system.
void ReportEscapedException(std::exception_ptr error, std::string_view operation);

template <typename F>
void Guarded(std::string_view operation, F&& handler) {
    try {
        handler();
    } catch (...) {
        ReportEscapedException(std::current_exception(), operation);
    }
}

}  // namespace win
