#pragma once
// Fixed values of the process entry: the symbol table resource, the sizes
// handed to the runtime and the public-name collection check.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace app {

// The symbol table resource: numeric type 21569 (0x5441), numeric name 1.
inline constexpr std::uint32_t kSymbolTableType = 21569;
inline constexpr std::uint32_t kSymbolTableName = 1;

inline constexpr std::uint32_t kHandleCount = 255;
inline constexpr std::uint32_t kStartupInfoSize = 68;
inline constexpr std::uint32_t kAtomTableBytes = 4194304;
inline constexpr std::uint32_t kAtomTableCount = 16384;
inline constexpr std::size_t kStackReserve = 1048576;
inline constexpr std::uint32_t kRuntimeOptions[4] = {1, 10, 1, 1};

// Exit code of every start-up failure: all 32 bits set.
inline constexpr std::uint32_t kStartupFailure = 0xFFFFFFFFu;

// A collection run goes on with the start-up only for a program whose path
// ends in these three characters (compared in upper case) and only when the
// environment variable is set.
inline constexpr std::string_view kDebugSuffix = "DBG";
inline constexpr const char* kProjectDirVariable = "KXCurrentPrjDir";
inline constexpr std::uint32_t kPathBufferSize = 260;

}  // namespace app
