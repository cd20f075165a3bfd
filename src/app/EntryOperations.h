#pragma once
// The operations the process entry requires, in the order it uses them. The
// base class performs each one on the platform and the runtime; a test derives
// from it to supply the symbol table resource, make an operation fail or stop
// the process, and every operation passes its name to Record first, so that
// the order in which the entry used them can be checked.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/os/Process.h"
#include "platform/runtime/ClassRegistry.h"
#include "platform/runtime/Startup.h"

namespace app {

// The bytes of a loaded resource; data is null when it was not found.
struct ResourceBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// The libraries' initialisation operations, in the order they run.
enum class LibraryInit {
    DataDriverClassInit,
    OleClassInit,
    WindowClassInit,
    WindowCriticalSections,
    SystemClassInit,
    OleInit,
    RegisterOleContainerWindow,
    InitTheme,
    RegisterMultimediaContainerWindow,
    RegisterCustomControl,
    InitFunctionPointers,
    InitClassPointers,
};
inline constexpr int kLibraryInitCount = 12;

// The name under which an operation is recorded ("__KXDLLClassInit" ...).
std::string_view LibraryInitName(LibraryInit step);

class EntryOperations {
  public:
    virtual ~EntryOperations() = default;

    virtual void SetHandleCount(os::UINT count);
    virtual os::HMODULE GetModuleHandleA(const char* name);
    virtual void GetStartupInfoA(os::STARTUPINFOA* info);
    virtual int MemInit();
    virtual const char* GetCommandLineA();
    virtual void* MemAlloc(std::size_t size);
    virtual int AtomInit();
    virtual int CreateAtomTable(std::uint32_t bytes, std::uint32_t count);
    // FindResourceA, LoadResource and LockResource in one, with the size of
    // the resource so that it is never read past its end.
    virtual ResourceBytes LoadResource(os::HMODULE module, std::uint32_t name, std::uint32_t type);
    virtual std::uint32_t SysAddAtom(const char* name);
    virtual int RTInit(const rt::RTInitParams& params);
    virtual int DeclareClass(rt::ClassRecord record);
    virtual int DeclareMethod(rt::MethodRecord record);

    // The initialisation procedure's own steps.
    virtual void InitCallStackSettings();
    virtual int MacroSupportInit();
    virtual int CollectPublics();
    virtual os::DWORD GetModuleFileNameA(os::HMODULE module, char* buffer, os::DWORD size);
    virtual os::DWORD GetEnvironmentVariableA(const char* name, char* buffer, os::DWORD size);
    virtual int ErrorSysInit();
    virtual int ErrorGenInit();
    virtual int RunLibraryInit(LibraryInit step);

    // The window library's start function and what follows it.
    virtual rt::Usual Start();
    virtual std::uint32_t ConvertResult(const rt::Usual& result);
    virtual void RTExit();
    [[noreturn]] virtual void ExitProcess(os::UINT code);

  protected:
    // Called with the operation's name before each operation runs.
    virtual void Record(std::string_view operation);
};

}  // namespace app
