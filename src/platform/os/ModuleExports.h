#pragma once
// Exports of modules already loaded into the process. Nothing here loads a
// module: the handle comes from GetModuleHandleA (ModuleHandle.h), which
// finds only modules the process already holds.

#include <cstdint>

namespace os {

// Address of the export `name` of the module `module` (a handle as
// GetModuleHandleA gives it); nullptr when the handle names no loaded module
// or the module itself has no such export. As on Windows, an export of a
// library the module depends on does not count.
void* GetProcAddress(std::uintptr_t module, const char* name);

}  // namespace os
