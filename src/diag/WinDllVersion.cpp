#include "diag/WinDllVersion.h"

#include "diag/DiagTexts.h"
#include "platform/os/ModuleExports.h"
#include "platform/os/ModuleHandle.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"

namespace diag {
namespace {

#ifdef _WIN32
using DllGetVersionProc = std::int32_t(__stdcall*)(DllVersionInfo*);
#else
using DllGetVersionProc = std::int32_t (*)(DllVersionInfo*);
#endif

}  // namespace

WinDllVersion::WinDllVersion(const rt::Usual& dll) {
    RT_ENTER("WINDLLVERSION:INIT", kDllVersionModule);
    RT_LINE();
    SetDLL(dll);
}

rt::Usual WinDllVersion::SetDLL(const rt::Usual& value) {
    RT_ENTER("WINDLLVERSION:DLL", kDllVersionModule);
    RT_LINE();
    dllName_ = value;
    RT_LINE();
    if (!value.IsString()) return value;
    RT_LINE();
    const os::HMODULE module = os::GetModuleHandleA(value.AsText().c_str());
    RT_LINE();
    if (module == 0) return value;
    RT_LINE();
    void* address = os::GetProcAddress(module, kDllGetVersionExport);
    RT_LINE();
    if (address == nullptr) return value;

    RT_LINE();
    DllVersionInfo info;
    info.cbSize = sizeof(DllVersionInfo);
    RT_LINE();
    const auto getVersion = reinterpret_cast<DllGetVersionProc>(address);
    RT_LINE();
    if (getVersion(&info) == 0) {
        RT_LINE();
        MajorVersion = info.dwMajorVersion;
        MinorVersion = info.dwMinorVersion;
        Build = info.dwBuildNumber;
        PlatformID = info.dwPlatformID;
    }
    RT_LINE();
    return value;
}

bool WinDllVersion::IsWinNT() const {
    RT_ENTER("WINDLLVERSION:ISWINNT", kDllVersionModule);
    RT_LINE();
    return PlatformID == kWinNtPlatform;
}

}  // namespace diag
