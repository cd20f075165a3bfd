#pragma once
// Changing the length of an open file.

#include <cstdint>

#include "platform/runtime/FileTable.h"

namespace rt {

// Cuts the file of `handle` to `size` bytes, or extends it with zero bytes;
// the file position stays where it was. FALSE for a handle that names no
// open file, a negative size, or a file the system refuses to resize, with
// the code in FError(); FError() is 0 after a success.
bool FChSize(FHandle handle, std::int64_t size);

}  // namespace rt
