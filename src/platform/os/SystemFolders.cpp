#include "platform/os/SystemFolders.h"

#include <QByteArray>
#include <cstring>
#include <string_view>

namespace os {
namespace {

std::uint32_t CopyOut(std::string_view text, char* buffer, std::uint32_t size) {
    if (text.empty()) return 0;
    const auto length = static_cast<std::uint32_t>(text.size());
    if (buffer == nullptr || size <= length) return length + 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return length;
}

}  // namespace

std::uint32_t GetEnvironmentVariableA(const char* name, char* buffer, std::uint32_t size) {
    if (name == nullptr) return 0;
    const QByteArray value = qgetenv(name);
    return CopyOut(std::string_view(value.constData(), static_cast<std::size_t>(value.size())),
                   buffer, size);
}

std::uint32_t GetSystemDirectoryA(char* buffer, std::uint32_t size) {
    const QByteArray configured = qgetenv("COMTEST_SYSTEM_DIR");
    if (!configured.isEmpty())
        return CopyOut(
            std::string_view(configured.constData(), static_cast<std::size_t>(configured.size())),
            buffer, size);
    return CopyOut("/usr/lib", buffer, size);
}

}  // namespace os
