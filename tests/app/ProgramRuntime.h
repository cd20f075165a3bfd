#pragma once
// The runtime as the process entry leaves it for the program: the program's
// symbol table loaded from its embedded resource and every class and member
// of the program declared. For tests of the program's windows outside the
// entry.

#include <gtest/gtest.h>

#include <string>

#include "app/ProgramTables.h"
#include "app/SymbolNumbers.h"
#include "platform/runtime/AtomTableReader.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Startup.h"

namespace app::testing {

inline void StartProgramRuntime() {
    ASSERT_EQ(rt::MemInit(), 0);
    ASSERT_EQ(rt::AtomInit(), 0);
    ASSERT_EQ(rt::CreateAtomTable(4194304, 16384), 0);
    rt::AtomTableReader reader(sym::kSymbolTableBytes, sym::kSymbolTableSize);
    std::string_view name;
    while (reader.Next(name)) ASSERT_NE(rt::SysAddAtom(std::string(name).c_str()), 0u);
    ASSERT_EQ(reader.Fault(), rt::AtomTableFault::None);
    ProgramTables tables = MakeProgramTables({});
    rt::RTInitParams params;
    params.classCount = static_cast<std::uint32_t>(tables.ClassCount());
    params.functions = tables.functions;
    params.globals = tables.globals;
    ASSERT_EQ(rt::RTInit(params), 0);
    for (auto& declaration : tables.declarations) {
        ASSERT_EQ(rt::State().classes.Declare(std::move(declaration)), 0);
    }
}

inline void StopProgramRuntime() {
    if (rt::RuntimeStarted()) rt::RTExit();
}

}  // namespace app::testing
