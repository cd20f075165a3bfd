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

void WriteStderr(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDERR_FILENO, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

void StderrLine(std::string_view text) {
    WriteStderr(ProgramLine(text));
}

}  // namespace os
