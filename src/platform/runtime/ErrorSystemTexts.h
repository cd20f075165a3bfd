#pragma once
// Texts the runtime's error system writes or puts into error records.

#include <string_view>

namespace rt::text {

// SubSystem of errors made from C++ exceptions and of internal errors.
inline constexpr std::string_view kEventHandlerSubSystem = "Event handler";
inline constexpr std::string_view kRuntimeSubSystem = "Runtime";
// Description of an exception that is no std::exception.
inline constexpr std::string_view kUnknownException = "exception of unknown type";

// Operation of an error made from an exception nobody caught.
inline constexpr std::string_view kTerminate = "unhandled exception";

inline constexpr std::string_view kNoHandler = "no error handler";
inline constexpr std::string_view kNestedErrors = "error while handling errors";
inline constexpr std::string_view kHandlerFailed = "the error handler failed";

}  // namespace rt::text
