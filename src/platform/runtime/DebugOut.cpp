#include "platform/runtime/DebugOut.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace rt {

void DebOut32(const char* text) {
    if (text == nullptr || *text == '\0') return;
    std::string line;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\r')
            line += "\\r";
        else if (*p == '\n')
            line += "\\n";
        else
            line += *p;
    }
    line += '\n';
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace rt
