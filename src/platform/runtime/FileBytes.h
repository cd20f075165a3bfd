#pragma once
// Reading and writing bytes of an open file as they are, at its position.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/runtime/FileTable.h"

namespace rt {

// Reads up to `count` bytes; fewer at the end of the file, none for a
// handle that names no open file or a failed read (FError() tells which;
// 0 after a success, also at the end of the file).
std::string FRead(FHandle handle, std::uint32_t count);

// Writes the bytes; returns how many were written, fewer on a failure (with
// the code in FError()).
std::uint32_t FWrite(FHandle handle, std::string_view bytes);

}  // namespace rt
