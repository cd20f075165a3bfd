#pragma once
// The runtime's state from its start (RTInit) to its shut-down (RTExit): the
// function table, the global references, the command line and the blocks of
// the runtime's memory.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "platform/runtime/Symbol.h"
#include "platform/runtime/Usual.h"

namespace rt {

// A function callable by name: its symbol, its code and the number of its
// declared parameters (for a variable list, the fixed ones).
struct FunctionEntry {
    Symbol symbol;
    std::function<Usual(std::span<const Usual> args)> entry;
    std::uint32_t params = 0;
};

struct StartupState {
    bool memoryReady = false;
    bool atomsReady = false;
    bool started = false;
    const char* commandLine = nullptr;
    std::vector<FunctionEntry> functions;
    // Variables whose values the runtime keeps alive; cleared at shut-down so
    // that what they hold goes before the runtime does.
    std::vector<Usual*> globals;
    // Ends the process through the entry's exit steps with an exit code.
    std::function<void(std::uint32_t exitCode)> exit;
    std::vector<std::unique_ptr<std::byte[]>> blocks;
};

}  // namespace rt
