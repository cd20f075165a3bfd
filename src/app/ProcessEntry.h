#pragma once
// The process entry: starts the runtime, loads the symbol table resource,
// declares every class and member, runs the initialisation procedures and
// the window library's start function, then shuts the runtime down and ends
// the process. Every failure before the start function ends the process with
// exit code -1 (all bits set) and no message; the runtime is shut down only
// once it was started. A public-name collection run that is not a debugging
// build's ends with exit code 0 before any window exists.
//
// Like the platform's own start-up code, the entry registers no activations:
// it runs before the runtime and around the whole program, so call stacks
// begin at App:Start.

#include <cstdint>
#include <functional>

#include "app/EntryOperations.h"
#include "app/ProgramTables.h"

namespace app {

class ProcessEntry {
  public:
    // `makeTables` is called once the symbol table is loaded (before RTInit).
    ProcessEntry(EntryOperations& operations, std::function<ProgramTables()> makeTables);

    // Runs the entry's thirteen steps; ends through operations.ExitProcess.
    [[noreturn]] void Run();

    // The program's initialisation procedure (entry step 11): declarations,
    // call-stack settings, module and library initialisation. 0 on success,
    // else the first failing declaration's result.
    int Initialise();

  private:
    bool LoadSymbolTable(os::HMODULE module);
    int DeclareAll();
    void CollectionCheck();
    // Entry step 13: RTExit when the runtime was started, then the exit code.
    [[noreturn]] void Exit(std::uint32_t code);
    // ExitProcess with the code, without the runtime's shut-down.
    [[noreturn]] void End(std::uint32_t code);

    EntryOperations& ops_;
    std::function<ProgramTables()> makeTables_;
    ProgramTables tables_;
    bool started_ = false;
};

// The entry as the program runs it: the platform's operations, the
// program's own tables and symbol table resource, and the window library's
// start function made with the program's arguments. An exception that
// nobody catches goes through the error system (rt::InstallTerminateHandler).
// SIGINT, SIGTERM and SIGHUP are held from the start (os::StopSignals), for
// the window and the line check to end the process by them soundly, and end
// it within os::StopSignals::kGrace wherever it stands; the other signals
// whose default ends the process put a port's settings back first.
[[noreturn]] void RunProcessEntry(int& argc, char** argv);

}  // namespace app
