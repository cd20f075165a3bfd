#include "platform/runtime/DebugOut.h"

#include <string>

#include "platform/os/StderrLine.h"

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
    os::WriteStderr(line);
}

}  // namespace rt
