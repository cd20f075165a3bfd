#include "app/EntryOperations.h"

#include "app/SymbolNumbers.h"
#include "errors/ErrorSysInit.h"
#include "platform/os/Resource.h"
#include "platform/os/SystemFolders.h"

namespace app {

std::string_view LibraryInitName(LibraryInit step) {
    switch (step) {
        case LibraryInit::DataDriverClassInit:
            return "__KXDLLClassInit(data driver)";
        case LibraryInit::OleClassInit:
            return "__KXDLLClassInit(OLE)";
        case LibraryInit::WindowClassInit:
            return "__KXDLLClassInit(window)";
        case LibraryInit::WindowCriticalSections:
            return "__WCInitCriticalSections";
        case LibraryInit::SystemClassInit:
            return "__KXDLLClassInit(system)";
        case LibraryInit::OleInit:
            return "__KXOLEInit";
        case LibraryInit::RegisterOleContainerWindow:
            return "__WCRegisterOleContWindow";
        case LibraryInit::InitTheme:
            return "__InitTheme";
        case LibraryInit::RegisterMultimediaContainerWindow:
            return "__WCRegisterMMContWindow";
        case LibraryInit::RegisterCustomControl:
            return "__WCRegisterCustomControl";
        case LibraryInit::InitFunctionPointers:
            return "__InitFunctionPointer";
        case LibraryInit::InitClassPointers:
            return "__InitClassPointer";
    }
    return "";
}

void EntryOperations::Record(std::string_view) {}

void EntryOperations::SetHandleCount(os::UINT count) {
    Record("SetHandleCount");
    os::SetHandleCount(count);
}

os::HMODULE EntryOperations::GetModuleHandleA(const char* name) {
    Record("GetModuleHandleA");
    return os::GetModuleHandleA(name);
}

void EntryOperations::GetStartupInfoA(os::STARTUPINFOA* info) {
    Record("GetStartupInfoA");
    os::GetStartupInfoA(info);
}

int EntryOperations::MemInit() {
    Record("MemInit");
    return rt::MemInit();
}

const char* EntryOperations::GetCommandLineA() {
    Record("GetCommandLineA");
    return os::GetCommandLineA();
}

void* EntryOperations::MemAlloc(std::size_t size) {
    Record("MemAlloc");
    return rt::MemAlloc(size);
}

int EntryOperations::AtomInit() {
    Record("AtomInit");
    return rt::AtomInit();
}

int EntryOperations::CreateAtomTable(std::uint32_t bytes, std::uint32_t count) {
    Record("CreateAtomTable");
    return rt::CreateAtomTable(bytes, count);
}

ResourceBytes EntryOperations::LoadResource(os::HMODULE module, std::uint32_t name,
                                            std::uint32_t type) {
    Record("LoadResource");
    const os::HRSRC found = os::FindResourceA(module, name, type);
    const auto* data =
        static_cast<const unsigned char*>(os::LockResource(os::LoadResource(module, found)));
    return ResourceBytes{data, data == nullptr ? 0 : os::SizeofResource(module, found)};
}

std::uint32_t EntryOperations::SysAddAtom(const char* name) {
    Record("SysAddAtom");
    return rt::SysAddAtom(name);
}

int EntryOperations::RTInit(const rt::RTInitParams& params) {
    Record("RTInit");
    return rt::RTInit(params);
}

int EntryOperations::DeclareClass(rt::ClassRecord record) {
    Record("DeclareClass");
    return rt::DeclareClass(std::move(record));
}

int EntryOperations::DeclareMethod(rt::MethodRecord record) {
    Record("DeclareMethod");
    return rt::DeclareMethod(std::move(record));
}

void EntryOperations::InitCallStackSettings() {
    Record("InitCallStackSettings");
}

int EntryOperations::MacroSupportInit() {
    Record("MacroSupportInit");
    // The macro support keeps no state to prepare; its functions are in the
    // function table already.
    return 0;
}

int EntryOperations::CollectPublics() {
    Record("__CollectPublics");
    return rt::CollectPublics();
}

os::DWORD EntryOperations::GetModuleFileNameA(os::HMODULE module, char* buffer, os::DWORD size) {
    Record("GetModuleFileNameA");
    return os::GetModuleFileNameA(module, buffer, size);
}

os::DWORD EntryOperations::GetEnvironmentVariableA(const char* name, char* buffer, os::DWORD size) {
    Record("GetEnvironmentVariableA");
    return os::GetEnvironmentVariableA(name, buffer, size);
}

int EntryOperations::ErrorSysInit() {
    Record("ErrorSysInit");
    errors::ErrorSysInit();
    return 0;
}

int EntryOperations::ErrorGenInit() {
    Record("ErrorGenInit");
    errors::ErrorGenInit();
    return 0;
}

int EntryOperations::RunLibraryInit(LibraryInit step) {
    Record(LibraryInitName(step));
    switch (step) {
        case LibraryInit::DataDriverClassInit:
        case LibraryInit::SystemClassInit:
        case LibraryInit::OleClassInit:
        case LibraryInit::WindowClassInit:
            // Every class of the libraries is declared with the program's own
            // registration; the libraries have no class data of their own.
            return 0;
        case LibraryInit::WindowCriticalSections:
            // The window layer runs on the one GUI thread and holds no locks.
            return 0;
        case LibraryInit::OleInit:
        case LibraryInit::RegisterOleContainerWindow:
        case LibraryInit::RegisterMultimediaContainerWindow:
            // No embedded-object or media windows exist on this platform layer.
            return 0;
        case LibraryInit::InitTheme:
        case LibraryInit::RegisterCustomControl:
            // Styles and control classes come with the application object,
            // which the start function creates.
            return 0;
        case LibraryInit::InitFunctionPointers:
        case LibraryInit::InitClassPointers:
            // Functions and classes are reached through the runtime's tables
            // by symbol, so there are no pointers to prepare.
            return 0;
    }
    return 0;
}

rt::Usual EntryOperations::Start() {
    Record("Start");
    // The window library's start function is the function table's START.
    return rt::CallFunction(sym::kSTART);
}

std::uint32_t EntryOperations::ConvertResult(const rt::Usual& result) {
    Record("__ConvertResult");
    return rt::ConvertResult(result);
}

void EntryOperations::RTExit() {
    Record("RTExit");
    rt::RTExit();
}

void EntryOperations::ExitProcess(os::UINT code) {
    Record("ExitProcess");
    os::ExitProcess(code);
}

}  // namespace app
