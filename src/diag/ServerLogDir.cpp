#include "diag/ServerLogDir.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "diag/DiagTexts.h"
#include "platform/os/Registry.h"
#include "platform/os/SystemFolders.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"

namespace diag {
namespace {

// Position of `needle` in `hay` from 0, ignoring ASCII letter case; npos when absent.
std::size_t FindNoCase(std::string_view hay, std::string_view needle) {
    RT_ENTER("FINDNOCASE", kLogFileModule);
    RT_LINE();
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    RT_LINE();
    const auto it = std::search(hay.begin(), hay.end(), needle.begin(), needle.end(),
                                [&](char a, char b) { return lower(a) == lower(b); });
    RT_LINE();
    return it == hay.end() ? std::string_view::npos : static_cast<std::size_t>(it - hay.begin());
}

}  // namespace

std::string ServerLogDir() {
    RT_ENTER("SERVERLOGDIR", kLogFileModule);
    RT_LINE();
    os::HKEY key = nullptr;
    RT_LINE();
    if (os::RegCreateKeyExA(os::HKEY_LOCAL_MACHINE, kServerParametersKey, 0, nullptr, 0,
                            os::KEY_QUERY_VALUE, nullptr, &key, nullptr) != os::kRegOk)
        return {};

    RT_LINE();
    std::array<std::uint8_t, kPathBufferSize> value{};
    value[0] = 0;
    std::uint32_t size = kPathBufferSize;
    RT_LINE();
    os::RegQueryValueExA(key, kLogDirectoryValue, nullptr, nullptr, value.data(), &size);
    RT_LINE();
    os::RegCloseKey(key);

    // The value need not end in a zero inside the buffer: never read past it.
    RT_LINE();
    const auto* chars = reinterpret_cast<const char*>(value.data());
    const std::string registered(chars, strnlen(chars, value.size()));

    RT_LINE();
    std::array<char, kPathBufferSize> buffer{};
    if (registered.empty()) {
        RT_LINE();
        const auto length = os::GetSystemDirectoryA(buffer.data(), kPathBufferSize);
        RT_LINE();
        if (length == 0 || length >= kPathBufferSize) return {};
        RT_LINE();
        return std::string(buffer.data(), length) + kPathSep + std::string(kLogFilesFolder);
    }

    RT_LINE();
    const auto at = FindNoCase(registered, kSystemRootPlaceholder);
    RT_LINE();
    if (at == std::string::npos) return registered;

    RT_LINE();
    const std::string kept = registered.substr(at + kSystemRootPlaceholder.size());
    RT_LINE();
    const auto length =
        os::GetEnvironmentVariableA(kSystemRootVariable, buffer.data(), kPathBufferSize);
    RT_LINE();
    if (length > 0 && length < kPathBufferSize) return std::string(buffer.data(), length) + kept;
    RT_LINE();
    return std::string(kDefaultSystemRootDrive) + kPathSep + kPathSep +
           std::string(kDefaultSystemRootFolder) + kept;
}

}  // namespace diag
