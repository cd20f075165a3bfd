#pragma once
// Stand-ins for the platform's process start-up calls: the handle limit, the
// start-up information record, the command line, the program's file name and
// the end of the process (environment variables: SystemFolders.h). They keep the calling
// conventions of the calls they stand in for (buffer sizes, counts, results).

#include <cstdint>
#include <string>

#include "platform/os/ModuleHandle.h"

namespace os {

using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using UINT = std::uint32_t;

// Show-window value the start-up record carries when the platform gives none.
inline constexpr WORD kShowNormal = 1;
inline constexpr DWORD kMaxPath = 260;

// The start-up information record. The caller sets `cb` to the size it
// expects; GetStartupInfoA leaves `cb` as the caller set it.
struct STARTUPINFOA {
    DWORD cb = 0;
    char* lpReserved = nullptr;
    char* lpDesktop = nullptr;
    char* lpTitle = nullptr;
    DWORD dwX = 0;
    DWORD dwY = 0;
    DWORD dwXSize = 0;
    DWORD dwYSize = 0;
    DWORD dwXCountChars = 0;
    DWORD dwYCountChars = 0;
    DWORD dwFillAttribute = 0;
    DWORD dwFlags = 0;
    WORD wShowWindow = 0;
    WORD cbReserved2 = 0;
    unsigned char* lpReserved2 = nullptr;
    void* hStdInput = nullptr;
    void* hStdOutput = nullptr;
    void* hStdError = nullptr;
};

// Hands the program's arguments to the process calls; main calls it first.
// Until then GetCommandLineA answers an empty text.
void SetProcessArguments(int argc, const char* const* argv);

// Makes sure at least `count` files may be open at once (raises the soft
// limit up to the hard one). Returns the number now allowed.
UINT SetHandleCount(UINT count);

// Fills the record (no window placement, show state kShowNormal, standard
// handles not redirected); `cb` keeps the caller's value.
void GetStartupInfoA(STARTUPINFOA* info);

// The program's arguments joined the platform's way: separated by one space,
// an argument that is empty or holds spaces, tabs or quotes is enclosed in
// double quotes with inner quotes and their preceding backslashes escaped,
// so the platform's command-line splitting gives back the same arguments.
// Zero-terminated; valid for the life of the process.
const char* GetCommandLineA();

// The joining rule of GetCommandLineA for one argument list.
std::string JoinCommandLine(int argc, const char* const* argv);

// Copies the program's file path (module 0 only) into `buffer`, truncated to
// size - 1 bytes and always zero-terminated. Returns the length copied, `size`
// when the path was truncated, or 0 for another module or a zero size.
DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size);

// Ends the process at once with `code` (its low 8 bits on POSIX, so -1
// becomes 255); buffered standard output is flushed first, nothing else runs.
[[noreturn]] void ExitProcess(UINT code);

}  // namespace os
