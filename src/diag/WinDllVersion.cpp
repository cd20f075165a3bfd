#include "diag/WinDllVersion.h"

#include "diag/DiagTexts.h"
#include "platform/os/ModuleExports.h"
#include "platform/os/ModuleHandle.h"
#include "platform/runtime/Activation.h"

namespace diag {
namespace {

using DllGetVersionProc = std::int32_t (*)(DllVersionInfo*);

}  // namespace

WinDllVersion::WinDllVersion(const rt::Usual& dll) {
    RT_ENTER("WINDLLVERSION:INIT", kDllVersionModule);
    SetDLL(dll);
}

rt::Usual WinDllVersion::SetDLL(const rt::Usual& value) {
    RT_ENTER("WINDLLVERSION:DLL", kDllVersionModule);
    dllName_ = value;
    if (!value.IsString()) return value;
    const os::HMODULE module = os::GetModuleHandleA(value.AsText().c_str());
    if (module == 0) return value;
    void* address = os::GetProcAddress(module, kDllGetVersionExport);
    if (address == nullptr) return value;

    DllVersionInfo info;
    info.cbSize = sizeof(DllVersionInfo);
    const auto getVersion = reinterpret_cast<DllGetVersionProc>(address);
    if (getVersion(&info) == 0) {
        MajorVersion = info.dwMajorVersion;
        MinorVersion = info.dwMinorVersion;
        Build = info.dwBuildNumber;
        PlatformID = info.dwPlatformID;
    }
    return value;
}

bool WinDllVersion::IsWinNT() const {
    RT_ENTER("WINDLLVERSION:ISWINNT", kDllVersionModule);
    return PlatformID == kWinNtPlatform;
}

}  // namespace diag
