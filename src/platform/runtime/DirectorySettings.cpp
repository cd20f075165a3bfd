#include "platform/runtime/DirectorySettings.h"

#include <unistd.h>

#include <cerrno>

#include <vector>

namespace rt {

DirectorySettings::DirectorySettings() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        // A directory deeper than the buffer: grow it; any other failure
        // (the directory was removed) leaves the relative "./".
        if (errno != ERANGE || buffer.size() > (1u << 20)) {
            workDir = "./";
            return;
        }
        buffer.resize(buffer.size() * 2);
    }
    workDir = buffer.data();
    if (workDir.empty() || workDir.back() != '/') workDir += '/';
}

}  // namespace rt
