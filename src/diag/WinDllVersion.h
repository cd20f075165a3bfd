#pragma once
// The version of a library already loaded into the process, as the library
// reports it through its export "DllGetVersion". Nothing is loaded: a
// library the process does not hold is not probed.

#include <cstdint>
#include <string>

#include "platform/runtime/Usual.h"

namespace diag {

// The version record handed to "DllGetVersion": five unsigned 32-bit fields,
// cbSize set to 20 before the call.
struct DllVersionInfo {
    std::uint32_t cbSize = 0;
    std::uint32_t dwMajorVersion = 0;
    std::uint32_t dwMinorVersion = 0;
    std::uint32_t dwBuildNumber = 0;
    std::uint32_t dwPlatformID = 0;
};
static_assert(sizeof(DllVersionInfo) == 20);

class WinDllVersion : public rt::Object {
  public:
    // Sets DLL to `dll`, which probes it.
    explicit WinDllVersion(const rt::Usual& dll);

    std::string ClassName() const override { return "WINDLLVERSION"; }

    // The name last written, unchanged.
    const rt::Usual& DLL() const { return dllName_; }
    // Stores the name and probes the library of that name when a text: only
    // when it is loaded, exports "DllGetVersion" and that call returns 0 are
    // the four numbers replaced; otherwise they keep their values. Returns
    // the value written.
    rt::Usual SetDLL(const rt::Usual& value);
    // TRUE exactly when PlatformID is 2 (the NT family).
    bool IsWinNT() const;

    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::uint32_t Build = 0;
    std::uint32_t PlatformID = 0;

  private:
    rt::Usual dllName_;
};

}  // namespace diag
