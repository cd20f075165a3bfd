#pragma once
// The runtime's start-up and shut-down, as the process entry calls them:
// memory, the symbol table, RTInit with the program's tables, class and
// member declarations, the public-name collection question, the conversion of
// the start function's result and RTExit. Results follow the runtime's
// convention: 0 is success unless said otherwise.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/os/Process.h"
#include "platform/runtime/ClassRegistry.h"
#include "platform/runtime/StartupState.h"

namespace rt {

// Symbols below this number are the runtime's own; the program's start here.
inline constexpr std::uint32_t kFirstProgramSymbol = 444;

// The command-line switch that makes a run collect the public names only.
inline constexpr std::string_view kCollectPublicsSwitch = "--collect-publics";

// Readies the runtime's memory; frees blocks of an earlier start.
int MemInit();
// A block of `size` bytes of the runtime's memory, kept until RTExit;
// null before MemInit, for size 0 or when memory runs out.
void* MemAlloc(std::size_t size);

// Readies the symbol table for CreateAtomTable.
int AtomInit();
// Empties the symbol table and sizes it: at most `bytes` bytes of names (each
// counted with its zero byte) and `count` names, numbered from symbol 444.
// Non-zero before AtomInit or for a zero size.
int CreateAtomTable(std::uint32_t bytes, std::uint32_t count);
// Adds a zero-terminated name as the next symbol; its number, or 0 for a null
// or empty name, a full table, or before CreateAtomTable. A name already in
// the table answers its existing number.
std::uint32_t SysAddAtom(const char* name);

// What the entry hands to RTInit, in its order.
struct RTInitParams {
    std::function<void(std::uint32_t exitCode)> exit;  // the entry's exit steps
    std::uint32_t classCount = 0;                      // classes the registration will declare
    std::span<const FunctionEntry> functions;
    const char* commandLine = nullptr;  // the runtime's copy, kept as given
    std::uint16_t startupWord = 0;      // first word of the start-up record
    std::uint32_t reserved = 0;         // 0
    os::HMODULE module = 0;
    std::span<Usual* const> globals;
    std::uint32_t options[4] = {1, 10, 1, 1};
    std::size_t stackReserve = 0;
    const void* stackBase = nullptr;
};

// Starts the runtime: the class registry sized to classCount, the function
// table, the global references, the command line and the exit steps. Items
// this runtime has no use for (the start-up word, the reserved 0, the
// options, the stack reserve and base: it runs on the platform's own stack)
// are accepted and not kept. Non-zero before MemInit or AtomInit, for a
// function entry without code or symbol, or for a null global reference.
int RTInit(const RTInitParams& params);

int DeclareClass(ClassRecord record);
int DeclareMethod(MethodRecord record);

// Non-zero when the command line handed to RTInit carries the collection
// switch as an argument after the program's name.
int CollectPublics();

// The value part of the start function's result as the process exit code:
// a whole number as it stands (-1 becomes 0xFFFFFFFF), a fraction truncated
// toward zero, a logical 1 or 0; any other result (NIL, an object) is 0.
std::uint32_t ConvertResult(const Usual& result);

// Calls a function of the table by symbol; NIL when there is none.
Usual CallFunction(Symbol function, std::span<const Usual> args = {});
// The function table entry of a symbol, or null.
const FunctionEntry* FindFunction(Symbol function);

// Ends the process through the entry's exit steps (runtime shut-down, then
// the exit code); straight to os::ExitProcess when the runtime has none.
[[noreturn]] void ExitThroughEntry(std::uint32_t exitCode);

// Shuts the runtime down: the shutdown hooks run (open files are closed),
// the global references are cleared (NIL), the function table, the registry
// and the memory blocks released.
void RTExit();

// True between RTInit and RTExit.
bool RuntimeStarted();

}  // namespace rt
