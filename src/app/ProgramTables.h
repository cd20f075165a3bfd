#pragma once
// The tables the process entry hands to the runtime: the class and member
// declarations in their one fixed sequence, the function table and the
// global references.

#include <cstddef>
#include <variant>
#include <vector>

#include "platform/runtime/ClassRegistry.h"
#include "platform/runtime/StartupState.h"

namespace app {

using Declaration = std::variant<rt::ClassRecord, rt::MethodRecord>;

struct ProgramTables {
    std::vector<Declaration> declarations;
    std::vector<rt::FunctionEntry> functions;
    std::vector<rt::Usual*> globals;

    // The number of classes the declarations declare.
    std::size_t ClassCount() const;
};

// The program's own tables: every class and member it uses, the functions
// callable by name, the global references.
ProgramTables MakeProgramTables();

}  // namespace app
