#pragma once
// The stand-in for the platform's GetModuleHandleA: tells whether a module
// (a shared library, or the program itself) is loaded in this process,
// without ever loading one.

#include <cstdint>

namespace os {

using HMODULE = std::uintptr_t;  // 0 is no module

// The load address of the loaded module called `name`, or 0 when no such
// module is loaded. A name without a path separator matches the file name
// of a loaded module in any letter case ("kxcore20.dll" finds
// ".../KXCORE20.DLL"); a name with a separator must match a module's path
// exactly. nullptr or an empty name gives the running program itself.
HMODULE GetModuleHandleA(const char* name);

}  // namespace os
