#include "platform/os/Process.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>

#include <sys/resource.h>
#include <unistd.h>

namespace os {
namespace {

// The process's parameters as the platform hands them over at start.
struct ProcessParameters {
    std::mutex mutex;
    std::string commandLine;
    std::string programPath;  // argv[0]; the fallback for the file name
};

ProcessParameters& Parameters() {
    static ProcessParameters parameters;
    return parameters;
}

std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled and the quote escaped.
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out.push_back(c);
    }
    // Backslashes before the closing quote are doubled too.
    out.append(backslashes * 2, '\\');
    out.push_back('"');
    return out;
}

std::string ExecutablePath() {
    char path[4096];
    const auto n = ::readlink("/proc/self/exe", path, sizeof path);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof path) return std::string(path, n);
    std::lock_guard lock(Parameters().mutex);
    return Parameters().programPath;
}

}  // namespace

void SetProcessArguments(int argc, const char* const* argv) {
    auto& parameters = Parameters();
    std::lock_guard lock(parameters.mutex);
    parameters.commandLine = JoinCommandLine(argc, argv);
    parameters.programPath = argc > 0 && argv[0] != nullptr ? argv[0] : "";
}

std::string JoinCommandLine(int argc, const char* const* argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) {
        if (argv[i] == nullptr) break;
        if (i > 0) line.push_back(' ');
        line += QuoteArgument(argv[i]);
    }
    return line;
}

UINT SetHandleCount(UINT count) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return 0;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < count) {
        limit.rlim_cur =
            (limit.rlim_max == RLIM_INFINITY || limit.rlim_max >= count) ? count : limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) ::getrlimit(RLIMIT_NOFILE, &limit);
    }
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > 0xFFFFFFFFu) return 0xFFFFFFFFu;
    return static_cast<UINT>(limit.rlim_cur);
}

void GetStartupInfoA(STARTUPINFOA* info) {
    if (info == nullptr) return;
    const DWORD cb = info->cb;
    *info = STARTUPINFOA{};
    info->cb = cb;
    info->wShowWindow = kShowNormal;
}

const char* GetCommandLineA() {
    auto& parameters = Parameters();
    std::lock_guard lock(parameters.mutex);
    return parameters.commandLine.c_str();
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
    if (module != 0 || buffer == nullptr || size == 0) return 0;
    const std::string path = ExecutablePath();
    if (path.size() < size) {
        std::memcpy(buffer, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    return size;
}

void ExitProcess(UINT code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(static_cast<int>(code));
}

}  // namespace os
