#pragma once
// The tables the process entry hands to the runtime: the class and member
// declarations in their one fixed sequence, the function table and the
// global references.

#include <cstddef>
#include <functional>
#include <vector>

#include "platform/runtime/ClassRegistry.h"
#include "platform/runtime/StartupState.h"

namespace app {

using rt::Declaration;

struct ProgramTables {
    std::vector<Declaration> declarations;
    std::vector<rt::FunctionEntry> functions;
    std::vector<rt::Usual*> globals;

    // The number of classes the declarations declare.
    std::size_t ClassCount() const;
};

// The program's own tables: every class and member it uses (library
// classes first, each after its base; then the diagnostics library's; then
// the program's own), the functions callable by name (`start` as the window
// library's start function START, WINCENTRE, SETINTERNATIONAL with the mode
// and DEFERRORGEN with the raw record), and the global reference oGStru.
// Symbols the serial test's and the diagnostics library's declarations take
// by name are looked up when this runs, so it runs once the symbol table is
// loaded.
ProgramTables MakeProgramTables(std::function<rt::Usual()> start);

}  // namespace app
