#include "platform/window/EventGuard.h"

#include <cstdio>
#include <stdexcept>
#include <string>

namespace win {

void ReportEscapedException(std::exception_ptr error, std::string_view operation) {
    std::string what = "unknown exception";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    // TODO(error system): hand the exception to the runtime's error block
    // once it offers a raise for C++ exceptions; until then it is reported
    // on standard error, here and nowhere else.
    std::fprintf(stderr, "comtest: error in %.*s: %s\n", static_cast<int>(operation.size()),
                 operation.data(), what.c_str());
}

}  // namespace win
