#include "app/ProcessEntry.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

#include "app/EntryConstants.h"
#include "app/SymbolNumbers.h"
#include "app/WindowStart.h"
#include "platform/os/Resource.h"
#include "platform/os/StopSignals.h"
#include "platform/runtime/AtomTableReader.h"
#include "platform/runtime/ErrorSystem.h"

namespace app {

ProcessEntry::ProcessEntry(EntryOperations& operations, std::function<ProgramTables()> makeTables)
    : ops_(operations), makeTables_(std::move(makeTables)) {}

void ProcessEntry::Run() {
    // Step 1: the stack position at entry; the runtime is told where its
    // stack begins.
    const char stackMark = 0;
    ops_.SetHandleCount(kHandleCount);
    const os::HMODULE module = ops_.GetModuleHandleA(nullptr);
    os::STARTUPINFOA startupInfo;
    startupInfo.cb = kStartupInfoSize;
    ops_.GetStartupInfoA(&startupInfo);

    if (ops_.MemInit() != 0) Exit(kStartupFailure);
    const char* commandLine = ops_.GetCommandLineA();
    if (commandLine == nullptr) commandLine = "";
    const std::size_t commandLineSize = std::strlen(commandLine) + 1;
    auto* commandLineCopy = static_cast<char*>(ops_.MemAlloc(commandLineSize));
    if (commandLineCopy == nullptr) Exit(kStartupFailure);
    std::memcpy(commandLineCopy, commandLine, commandLineSize);

    if (ops_.AtomInit() != 0) Exit(kStartupFailure);
    if (ops_.CreateAtomTable(kAtomTableBytes, kAtomTableCount) != 0) Exit(kStartupFailure);
    if (!LoadSymbolTable(module)) Exit(kStartupFailure);
    tables_ = makeTables_();

    rt::RTInitParams params;
    params.exit = [this](std::uint32_t code) { Exit(code); };
    params.classCount = static_cast<std::uint32_t>(tables_.ClassCount());
    params.functions = tables_.functions;
    params.commandLine = commandLineCopy;
    // The first 16-bit word of the start-up record, as it lies in memory.
    std::uint16_t startupWord = 0;
    std::memcpy(&startupWord, &startupInfo, sizeof startupWord);
    params.startupWord = startupWord;
    params.reserved = 0;
    params.module = module;
    params.globals = tables_.globals;
    std::copy(std::begin(kRuntimeOptions), std::end(kRuntimeOptions), params.options);
    params.stackReserve = kStackReserve;
    params.stackBase = &stackMark;
    if (ops_.RTInit(params) != 0) Exit(kStartupFailure);

    started_ = true;
    if (Initialise() != 0) Exit(kStartupFailure);

    const rt::Usual result = ops_.Start();
    const std::uint32_t code = ops_.ConvertResult(result);
    Exit(code);
}

bool ProcessEntry::LoadSymbolTable(os::HMODULE module) {
    const ResourceBytes resource = ops_.LoadResource(module, kSymbolTableName, kSymbolTableType);
    rt::AtomTableReader reader(resource.data, resource.size);
    if (!reader.HasMagic()) return false;
    // Names go to the symbol table one by one; each must become the next
    // number, so a name the table already holds (which would shift every
    // later number) fails the start-up as a malformed entry does.
    std::string name;
    std::string_view entry;
    for (std::uint32_t expected = rt::kFirstProgramSymbol; reader.Next(entry); ++expected) {
        name.assign(entry);
        if (ops_.SysAddAtom(name.c_str()) != expected) return false;
    }
    return reader.Fault() == rt::AtomTableFault::None;
}

int ProcessEntry::Initialise() {
    if (const int result = DeclareAll(); result != 0) return result;
    ops_.InitCallStackSettings();
    // The modules' initialisation procedures; their results are not examined.
    ops_.MacroSupportInit();
    CollectionCheck();
    ops_.ErrorSysInit();
    ops_.ErrorGenInit();
    for (int step = 0; step < kLibraryInitCount; ++step) {
        ops_.RunLibraryInit(static_cast<LibraryInit>(step));
    }
    return 0;
}

int ProcessEntry::DeclareAll() {
    for (auto& declaration : tables_.declarations) {
        const int result = std::visit(
            [this](auto& record) {
                if constexpr (std::is_same_v<std::decay_t<decltype(record)>, rt::ClassRecord>) {
                    return ops_.DeclareClass(record);
                } else {
                    return ops_.DeclareMethod(record);
                }
            },
            declaration);
        if (result != 0) return result;
    }
    return 0;
}

void ProcessEntry::CollectionCheck() {
    if (ops_.CollectPublics() == 0) return;
    char path[kPathBufferSize] = {};
    ops_.GetModuleFileNameA(0, path, kPathBufferSize);
    // The name is read up to its zero byte, whatever length was reported.
    path[kPathBufferSize - 1] = '\0';
    const std::size_t length = std::strlen(path);
    std::string suffix(path + (length >= 3 ? length - 3 : 0));
    for (auto& c : suffix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (suffix != kDebugSuffix) End(0);
    char value[kPathBufferSize] = {};
    if (ops_.GetEnvironmentVariableA(kProjectDirVariable, value, kPathBufferSize) == 0) {
        End(0);
    }
}

void ProcessEntry::Exit(std::uint32_t code) {
    if (started_) {
        started_ = false;
        ops_.RTExit();
    }
    End(code);
}

void ProcessEntry::End(std::uint32_t code) {
    ops_.ExitProcess(code);
    // ExitProcess does not come back; should an implementation break that
    // promise, the process must still not go on.
    std::abort();
}

void RunProcessEntry(int& argc, char** argv) {
    // Held before anything can start a thread (the toolkit's display
    // connection starts one), so that a stop signal never takes its default
    // action on any thread while a port may be open; the window watches them,
    // and their own thread ends the process where nothing else does.
    // The process ends through ExitProcess, so this lives as long as it.
    os::StopSignals stop;
    // An exception nobody catches, before the event loop runs or after it
    // ended, is reported and logged like any runtime error and ends the
    // program with its generic code, rather than aborting it.
    rt::InstallTerminateHandler();
    os::AddModuleResource(0, kSymbolTableType, kSymbolTableName, sym::kSymbolTableBytes,
                          sym::kSymbolTableSize);
    EntryOperations operations;
    ProcessEntry entry(operations, [&argc, argv, &stop] {
        return MakeProgramTables([&argc, argv, &stop] { return WindowStart(argc, argv, stop); });
    });
    entry.Run();
}

}  // namespace app
