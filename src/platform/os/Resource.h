#pragma once
// Stand-ins for the platform's resource calls. A module's resources are
// byte blocks filed under a numeric type and a numeric name; the program
// files its own (those built into it) before looking them up. A resource
// stays where it was filed for the life of the process.

#include <cstddef>
#include <cstdint>

#include "platform/os/Process.h"

namespace os {

struct ResourceBlock;
using HRSRC = const ResourceBlock*;    // null: not found
using HGLOBAL = const ResourceBlock*;  // null: not loaded

// The handle of the program's own module (GetModuleHandleA(nullptr));
// module 0 names it as well.
HMODULE ProgramModule();

// Files `size` bytes at `data` (not copied: they must outlive the process's
// use, as built-in data does) as the resource `type`/`name` of `module`.
// Filing the same type and name again replaces the earlier block.
void AddModuleResource(HMODULE module, std::uint32_t type, std::uint32_t name,
                       const unsigned char* data, std::size_t size);
// Withdraws a filed resource; nothing when there is none.
void RemoveModuleResource(HMODULE module, std::uint32_t type, std::uint32_t name);

HRSRC FindResourceA(HMODULE module, std::uint32_t name, std::uint32_t type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
// The first byte of a loaded resource; null for a null handle.
const void* LockResource(HGLOBAL resource);
// The size in bytes of a found resource; 0 for a null handle.
DWORD SizeofResource(HMODULE module, HRSRC resource);

}  // namespace os
