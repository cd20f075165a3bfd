#include "diag/ServerLogDir.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "diag/DiagTexts.h"
#include "platform/os/Registry.h"
#include "platform/os/SystemFolders.h"
#include "platform/runtime/Activation.h"

namespace diag {
namespace {

// Position of `needle` in `hay` from 0, ignoring ASCII letter case; npos when absent.
std::size_t FindNoCase(std::string_view hay, std::string_view needle) {
    RT_ENTER("FINDNOCASE", kLogFileModule);
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    const auto it = std::search(hay.begin(), hay.end(), needle.begin(), needle.end(),
                                [&](char a, char b) { return lower(a) == lower(b); });
    return it == hay.end() ? std::string_view::npos : static_cast<std::size_t>(it - hay.begin());
}

}  // namespace

std::string ServerLogDir() {
    RT_ENTER("SERVERLOGDIR", kLogFileModule);
    os::HKEY key = nullptr;
    if (os::RegCreateKeyExA(os::HKEY_LOCAL_MACHINE, kServerParametersKey, 0, nullptr, 0,
                            os::KEY_QUERY_VALUE, nullptr, &key, nullptr) != os::kRegOk)
        return {};

    std::array<std::uint8_t, kPathBufferSize> value{};
    value[0] = 0;
    std::uint32_t size = kPathBufferSize;
    os::RegQueryValueExA(key, kLogDirectoryValue, nullptr, nullptr, value.data(), &size);
    os::RegCloseKey(key);

    // The value need not end in a zero inside the buffer: never read past it.
    const auto* chars = reinterpret_cast<const char*>(value.data());
    const std::string registered(chars, strnlen(chars, value.size()));

    std::array<char, kPathBufferSize> buffer{};
    if (registered.empty()) {
        const auto length = os::GetSystemDirectoryA(buffer.data(), kPathBufferSize);
        if (length == 0 || length >= kPathBufferSize) return {};
        return std::string(buffer.data(), length) + kPathSep + std::string(kLogFilesFolder);
    }

    const auto at = FindNoCase(registered, kSystemRootPlaceholder);
    if (at == std::string::npos) return registered;

    const std::string kept = registered.substr(at + kSystemRootPlaceholder.size());
    const auto length =
        os::GetEnvironmentVariableA(kSystemRootVariable, buffer.data(), kPathBufferSize);
    if (length > 0 && length < kPathBufferSize) return std::string(buffer.data(), length) + kept;
    return std::string(kDefaultSystemRootDrive) + kPathSep + kPathSep +
           std::string(kDefaultSystemRootFolder) + kept;
}

}  // namespace diag
