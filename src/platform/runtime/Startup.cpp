#include "platform/runtime/Startup.h"

#include <cmath>
#include <new>
#include <string>

#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Termination.h"

namespace rt {
namespace {

StartupState& Runtime() {
    return State().startup;
}

// Splits a command line the platform's way: whitespace separates arguments,
// double quotes group, a backslash escapes a quote.
std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        std::string arg;
        bool quoted = false;
        for (; i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')); ++i) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg.push_back('"');
                } else {
                    quoted = !quoted;
                }
                continue;
            }
            arg.append(backslashes, '\\');
            if (i >= line.size()) break;
            if (!quoted && (line[i] == ' ' || line[i] == '\t')) break;
            arg.push_back(line[i]);
        }
        args.push_back(std::move(arg));
    }
    return args;
}

}  // namespace

int MemInit() {
    Runtime().blocks.clear();
    Runtime().memoryReady = true;
    return 0;
}

void* MemAlloc(std::size_t size) {
    if (!Runtime().memoryReady || size == 0) return nullptr;
    auto block = std::unique_ptr<std::byte[]>(new (std::nothrow) std::byte[size]);
    if (!block) return nullptr;
    Runtime().blocks.push_back(std::move(block));
    return Runtime().blocks.back().get();
}

int AtomInit() {
    Runtime().atomsReady = true;
    return 0;
}

int CreateAtomTable(std::uint32_t bytes, std::uint32_t count) {
    if (!Runtime().atomsReady || bytes == 0 || count == 0) return 1;
    State().symbols.Reset(kFirstProgramSymbol, count, bytes);
    return 0;
}

std::uint32_t SysAddAtom(const char* name) {
    if (!Runtime().atomsReady || name == nullptr) return 0;
    return State().symbols.Add(name).number;
}

int RTInit(const RTInitParams& params) {
    auto& runtime = Runtime();
    if (!runtime.memoryReady || !runtime.atomsReady) return 1;
    for (const auto& function : params.functions) {
        if (!function.symbol || !function.entry) return 2;
    }
    for (const auto* global : params.globals) {
        if (global == nullptr) return 3;
    }
    State().classes.Reset(params.classCount);
    runtime.functions.assign(params.functions.begin(), params.functions.end());
    runtime.globals.assign(params.globals.begin(), params.globals.end());
    runtime.commandLine = params.commandLine;
    runtime.exit = params.exit;
    runtime.started = true;
    return 0;
}

int DeclareClass(ClassRecord record) {
    return State().classes.DeclareClass(std::move(record));
}

int DeclareMethod(MethodRecord record) {
    return State().classes.DeclareMethod(std::move(record));
}

int CollectPublics() {
    const char* line = Runtime().commandLine;
    if (line == nullptr) return 0;
    const auto args = SplitCommandLine(line);
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == kCollectPublicsSwitch) return 1;
    }
    return 0;
}

std::uint32_t ConvertResult(const Usual& result) {
    if (result.IsLong()) return static_cast<std::uint32_t>(result.AsLong());
    if (result.IsFloat()) {
        const double value = std::trunc(result.AsFloat());
        if (!(value >= -2147483648.0 && value <= 2147483647.0)) return 0;
        return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    }
    if (result.IsLogic()) return result.AsLogic() ? 1u : 0u;
    return 0;
}

const FunctionEntry* FindFunction(Symbol function) {
    for (const auto& entry : Runtime().functions) {
        if (entry.symbol == function) return &entry;
    }
    return nullptr;
}

Usual CallFunction(Symbol function, std::span<const Usual> args) {
    const auto* entry = FindFunction(function);
    if (entry == nullptr) return NIL;
    const auto code = entry->entry;
    return code(args);
}

void ExitThroughEntry(std::uint32_t exitCode) {
    if (auto exit = Runtime().exit) exit(exitCode);
    os::ExitProcess(exitCode);
}

void RTExit() {
    auto& runtime = Runtime();
    RunShutdownHooks();
    for (auto* global : runtime.globals) *global = NIL;
    runtime.globals.clear();
    runtime.functions.clear();
    runtime.exit = nullptr;
    runtime.commandLine = nullptr;
    State().classes.Reset(0);
    runtime.blocks.clear();
    runtime.memoryReady = false;
    runtime.started = false;
}

bool RuntimeStarted() {
    return Runtime().started;
}

}  // namespace rt
