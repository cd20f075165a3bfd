#pragma once
// The entry's operations as the tests drive them: every operation is logged
// by name, the symbol table resource and the answers of chosen operations
// are supplied by the test, and ExitProcess throws instead of ending the
// test program.

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/EntryOperations.h"
#include "app/ProcessEntry.h"
#include "app/SymbolNumbers.h"

namespace app {

struct ProcessExited {
    std::uint32_t code;
};

class RecordingOperations : public EntryOperations {
  public:
    std::vector<std::string> log;
    std::optional<std::string> resource =
        std::string(reinterpret_cast<const char*>(sym::kSymbolTableBytes), sym::kSymbolTableSize);
    std::string failing;          // the operation that answers a failure
    int failingDeclaration = -1;  // the n-th declaration (from 0) that fails
    int collectPublics = 0;
    std::string modulePath = "/usr/local/bin/comtest";
    std::optional<std::string> projectDir;
    rt::Usual startResult;
    std::function<void()> duringStart;
    rt::RTInitParams seenParams;
    std::string seenCommandLine;

    ResourceBytes LoadResource(os::HMODULE, std::uint32_t name, std::uint32_t type) override {
        Record("LoadResource");
        if (!resource || name != 1 || type != 21569) return {};
        return {reinterpret_cast<const unsigned char*>(resource->data()), resource->size()};
    }
    int MemInit() override { return Fails("MemInit") ? 1 : EntryOperations::MemInit(); }
    void* MemAlloc(std::size_t size) override {
        return Fails("MemAlloc") ? nullptr : EntryOperations::MemAlloc(size);
    }
    int AtomInit() override { return Fails("AtomInit") ? 1 : EntryOperations::AtomInit(); }
    int CreateAtomTable(std::uint32_t bytes, std::uint32_t count) override {
        return Fails("CreateAtomTable") ? 1 : EntryOperations::CreateAtomTable(bytes, count);
    }
    std::uint32_t SysAddAtom(const char* name) override {
        return Fails("SysAddAtom") ? 0 : EntryOperations::SysAddAtom(name);
    }
    int RTInit(const rt::RTInitParams& params) override {
        seenParams = params;
        seenCommandLine = params.commandLine == nullptr ? "" : params.commandLine;
        return Fails("RTInit") ? 1 : EntryOperations::RTInit(params);
    }
    int DeclareClass(rt::ClassRecord record) override {
        if (declarations_++ == failingDeclaration) {
            Record("DeclareClass");
            return 9;
        }
        return EntryOperations::DeclareClass(std::move(record));
    }
    int DeclareMethod(rt::MethodRecord record) override {
        if (declarations_++ == failingDeclaration) {
            Record("DeclareMethod");
            return 9;
        }
        return EntryOperations::DeclareMethod(std::move(record));
    }
    int CollectPublics() override {
        Record("__CollectPublics");
        return collectPublics;
    }
    os::DWORD GetModuleFileNameA(os::HMODULE, char* buffer, os::DWORD size) override {
        Record("GetModuleFileNameA");
        std::strncpy(buffer, modulePath.c_str(), size - 1);
        buffer[size - 1] = '\0';
        return static_cast<os::DWORD>(std::strlen(buffer));
    }
    os::DWORD GetEnvironmentVariableA(const char* name, char* buffer, os::DWORD size) override {
        Record("GetEnvironmentVariableA");
        if (!projectDir || std::string(name) != "KXCurrentPrjDir") return 0;
        std::strncpy(buffer, projectDir->c_str(), size - 1);
        return static_cast<os::DWORD>(projectDir->size());
    }
    rt::Usual Start() override {
        Record("Start");
        if (duringStart) duringStart();
        return startResult;
    }
    [[noreturn]] void ExitProcess(os::UINT code) override {
        Record("ExitProcess");
        throw ProcessExited{code};
    }

    // Runs the real entry with these operations; the exit code it ended with.
    std::uint32_t RunEntry() {
        ProcessEntry entry(*this, [] { return MakeProgramTables([] { return rt::NIL; }); });
        try {
            entry.Run();
        } catch (const ProcessExited& exited) {
            return exited.code;
        }
    }

    bool Logged(const std::string& operation) const {
        return std::find(log.begin(), log.end(), operation) != log.end();
    }
    // The log with runs of the same operation folded into one line
    // ("SysAddAtom*"); class and member declarations count as one operation.
    std::vector<std::string> Folded() const {
        std::vector<std::string> out;
        for (auto op : log) {
            if (op == "DeclareClass" || op == "DeclareMethod") op = "Declare";
            if (!out.empty() && (out.back() == op || out.back() == op + "*")) {
                out.back() = op + "*";
            } else {
                out.push_back(op);
            }
        }
        return out;
    }

  protected:
    void Record(std::string_view operation) override { log.emplace_back(operation); }

  private:
    bool Fails(const char* operation) {
        if (failing != operation) return false;
        Record(operation);
        return true;
    }
    int declarations_ = 0;
};

}  // namespace app
