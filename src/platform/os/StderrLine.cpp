#include "platform/os/StderrLine.h"

#include <unistd.h>

#include <cerrno>

#include "platform/os/OsTexts.h"

namespace os {

std::string ProgramLine(std::string_view text) {
    std::string line(texts::kStderrPrefix);
    line += text;
    line += '\n';
    return line;
}

void StderrLine(std::string_view text) {
    const std::string line = ProgramLine(text);
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace os
