#include "app/ProcessEntry.h"

#include <gtest/gtest.h>

#include <set>

#include "RecordingOperations.h"
#include "platform/os/Resource.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Termination.h"

namespace app {
namespace {

constexpr std::uint32_t kFailure = 0xFFFFFFFFu;

const std::vector<std::string> kStartup = {
    "SetHandleCount",  "GetModuleHandleA", "GetStartupInfoA", "MemInit",
    "GetCommandLineA", "MemAlloc",         "AtomInit",        "CreateAtomTable",
    "LoadResource",    "SysAddAtom*",      "RTInit"};
const std::vector<std::string> kLibraryInit = {
    "__KXDLLClassInit(data driver)", "__KXDLLClassInit(OLE)",
    "__KXDLLClassInit(window)",      "__WCInitCriticalSections",
    "__KXDLLClassInit(system)",      "__KXOLEInit",
    "__WCRegisterOleContWindow",     "__InitTheme",
    "__WCRegisterMMContWindow",      "__WCRegisterCustomControl",
    "__InitFunctionPointer",         "__InitClassPointer"};

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

class ProcessEntryTest : public testing::Test {
  protected:
    // Whatever a run left started is shut down, so tests stay independent.
    void TearDown() override {
        if (rt::RuntimeStarted()) rt::RTExit();
    }
    RecordingOperations ops;
};

TEST_F(ProcessEntryTest, NormalRunInOrderEndsWithTheStartResult) {
    ops.startResult = rt::Usual(3);
    EXPECT_EQ(ops.RunEntry(), 3u);
    const auto expected = Concat({kStartup,
                                  {"Declare*", "InitCallStackSettings", "MacroSupportInit",
                                   "__CollectPublics", "ErrorSysInit", "ErrorGenInit"},
                                  kLibraryInit,
                                  {"Start", "__ConvertResult", "RTExit", "ExitProcess"}});
    EXPECT_EQ(ops.Folded(), expected);
}

TEST_F(ProcessEntryTest, NormalEndWithoutAResultExitsZero) {
    std::size_t depthAtStart = 99;
    ops.duringStart = [&] { depthAtStart = rt::State().activations.Depth(); };
    EXPECT_EQ(ops.RunEntry(), 0u);
    EXPECT_EQ(depthAtStart, 0u) << "the entry leaves no activation under App:Start";
    EXPECT_FALSE(rt::RuntimeStarted()) << "the runtime is shut down before the process ends";
}

TEST_F(ProcessEntryTest, TheRuntimeGetsTheEntrysItems) {
    const char* argv[] = {"comtest", "--port", "Com1=loop"};
    os::SetProcessArguments(3, argv);
    ops.RunEntry();
    EXPECT_EQ(ops.seenCommandLine, "comtest --port Com1=loop");
    EXPECT_NE(ops.seenParams.commandLine, os::GetCommandLineA()) << "the runtime gets a copy";
    EXPECT_EQ(ops.seenParams.classCount, MakeProgramTables({}).ClassCount());
    EXPECT_EQ(ops.seenParams.startupWord, 68u) << "the first word of the record is its size";
    EXPECT_EQ(ops.seenParams.stackReserve, 1048576u);
    EXPECT_NE(ops.seenParams.stackBase, nullptr);
    EXPECT_EQ(ops.seenParams.module, os::ProgramModule());
    const std::uint32_t options[] = {1, 10, 1, 1};
    EXPECT_TRUE(std::equal(std::begin(options), std::end(options), ops.seenParams.options));
}

TEST_F(ProcessEntryTest, GeneratedTableGivesEveryNameItsOwnNumber) {
    ops.RunEntry();
    const auto& symbols = rt::State().symbols;
    struct Case {
        const char* name;
        std::uint32_t number;
    };
    const Case cases[] = {{"MULTILINEEDIT", 444}, {"Start", 490},
                          {"START", 497},         {"WSERIAL", 495},
                          {"WSerial", 510},       {"Image", 565},
                          {"FSERIAL:INIT", 564},  {"SERIALMLE:DEVICE:ASSIGN", 460}};
    for (const auto& c : cases) {
        const auto found = symbols.Find(c.name);
        ASSERT_TRUE(found.has_value()) << c.name;
        EXPECT_EQ(found->number, c.number) << c.name;
    }
    EXPECT_EQ(sym::kStart.number, 490u);
    EXPECT_EQ(sym::kSTART.number, 497u);
    EXPECT_EQ(sym::kWSerial.number, 510u);
    EXPECT_EQ(sym::kImage.number, 565u);
    // Every name of the table became its own symbol, in order.
    EXPECT_EQ(symbols.Size(), sym::kCount);
    std::set<std::string_view> names;
    for (std::uint32_t n = 444; n < 444 + sym::kCount; ++n) {
        names.insert(symbols.NameOf(rt::Symbol{n}));
    }
    EXPECT_EQ(names.size(), sym::kCount);
    EXPECT_FALSE(names.count(""));
}

TEST_F(ProcessEntryTest, AnyChangedByteOfTheMagicFailsBeforeAnyClass) {
    const std::string good = *ops.resource;
    for (std::size_t i = 0; i < 12; ++i) {
        RecordingOperations run;
        run.resource = good;
        (*run.resource)[i] = static_cast<char>((*run.resource)[i] + 1);
        EXPECT_EQ(run.RunEntry(), kFailure) << "byte " << i;
        EXPECT_FALSE(run.Logged("SysAddAtom")) << "byte " << i;
        EXPECT_FALSE(run.Logged("DeclareClass")) << "byte " << i;
        EXPECT_FALSE(run.Logged("RTExit")) << "the runtime was never started, byte " << i;
        EXPECT_EQ(run.log.back(), "ExitProcess");
    }
}

TEST_F(ProcessEntryTest, FaultyResourcesFailTheStartUp) {
    struct Case {
        const char* what;
        std::optional<std::string> resource;
    };
    const std::string magic("ATOMTABLE\0\0\0", 12);
    const Case cases[] = {
        {"missing", std::nullopt},
        {"shorter than the magic", std::string("ATOMTAB")},
        {"no end mark", magic + std::string("\2\0\0\0A\0", 6)},
        {"overlong entry", magic + std::string("\x20\0\0\0A\0\0\0\0\0", 10)},
        {"truncated length", magic + std::string("\2\0", 2)},
        {"unterminated name", magic + std::string("\2\0\0\0AB\0\0\0\0", 10)},
        {"duplicate name", magic + std::string("\2\0\0\0A\0\2\0\0\0A\0\0\0\0\0", 16)},
    };
    for (const auto& c : cases) {
        RecordingOperations run;
        run.resource = c.resource;
        EXPECT_EQ(run.RunEntry(), kFailure) << c.what;
        EXPECT_FALSE(run.Logged("RTInit")) << c.what;
        EXPECT_FALSE(run.Logged("RTExit")) << c.what;
    }
}

TEST_F(ProcessEntryTest, EmptyTableAddsNoNameAndGoesOn) {
    ops.resource = std::string("ATOMTABLE\0\0\0\0\0\0\0", 16);
    ops.RunEntry();
    EXPECT_FALSE(ops.Logged("SysAddAtom"));
    EXPECT_TRUE(ops.Logged("RTInit"));
    EXPECT_TRUE(ops.Logged("DeclareClass"));
}

TEST_F(ProcessEntryTest, StartupFailuresBeforeTheRuntimeStartsExitWithMinusOneAlone) {
    for (const char* failing :
         {"MemInit", "MemAlloc", "AtomInit", "CreateAtomTable", "SysAddAtom", "RTInit"}) {
        RecordingOperations run;
        run.failing = failing;
        EXPECT_EQ(run.RunEntry(), kFailure) << failing;
        const std::vector<std::string> tail(run.log.end() - 2, run.log.end());
        EXPECT_EQ(tail, (std::vector<std::string>{failing, "ExitProcess"}))
            << "nothing runs after the failure, not even RTExit";
        EXPECT_FALSE(run.Logged("RTExit")) << failing;
    }
}

TEST_F(ProcessEntryTest, FailingDeclarationStopsRegistrationAndEverythingAfter) {
    const int total = static_cast<int>(MakeProgramTables({}).declarations.size());
    for (int failing : {0, 5, 40, total - 1}) {
        RecordingOperations run;
        run.failingDeclaration = failing;
        EXPECT_EQ(run.RunEntry(), kFailure) << failing;
        const auto folded = run.Folded();
        ASSERT_GE(folded.size(), 3u);
        const std::vector<std::string> tail(folded.end() - 2, folded.end());
        EXPECT_EQ(tail, (std::vector<std::string>{"RTExit", "ExitProcess"})) << failing;
        EXPECT_EQ(folded[folded.size() - 3], failing == 0 ? "Declare" : "Declare*") << failing;
        const auto declared = std::count(run.log.begin(), run.log.end(), "DeclareClass") +
                              std::count(run.log.begin(), run.log.end(), "DeclareMethod");
        EXPECT_EQ(declared, failing + 1) << "no declaration after the failing one";
        EXPECT_FALSE(run.Logged("InitCallStackSettings"));
        EXPECT_FALSE(run.Logged("ErrorSysInit"));
        EXPECT_FALSE(run.Logged("Start"));
        if (rt::RuntimeStarted()) rt::RTExit();
    }
}

TEST_F(ProcessEntryTest, CollectionRunGoesOnOnlyForADebugBuildWithAProjectDir) {
    struct Case {
        const char* path;
        std::optional<std::string> projectDir;
        bool goesOn;
    };
    const Case cases[] = {
        {"/usr/local/bin/comtest", "/home/p", false},
        {"/usr/local/bin/comtestdbg", std::nullopt, false},
        {"/usr/local/bin/comtestdbg", "/home/p", true},
        {"C:\\PRJ\\COMTEST.DBG", "C:\\PRJ", true},
        {"C:\\PRJ\\comtest.Dbg", "C:\\PRJ", true},
        {"C:\\PRJ\\COMTEST.EXE", "C:\\PRJ", false},
        {"bg", "/home/p", false},
        {"", "/home/p", false},
    };
    for (const auto& c : cases) {
        RecordingOperations run;
        run.collectPublics = 1;
        run.modulePath = c.path;
        run.projectDir = c.projectDir;
        EXPECT_EQ(run.RunEntry(), 0u) << c.path;
        EXPECT_EQ(run.Logged("Start"), c.goesOn) << c.path;
        EXPECT_EQ(run.Logged("GetEnvironmentVariableA"),
                  std::string(c.path).size() >= 3 && (std::string(c.path).ends_with("dbg") ||
                                                      std::string(c.path).ends_with("DBG") ||
                                                      std::string(c.path).ends_with("Dbg")))
            << c.path;
        if (!c.goesOn) {
            EXPECT_FALSE(run.Logged("ErrorSysInit")) << "the process ends at once, " << c.path;
        }
        if (rt::RuntimeStarted()) rt::RTExit();
    }
}

TEST_F(ProcessEntryTest, OrdinaryRunDoesNotAskForThePath) {
    ops.RunEntry();
    EXPECT_TRUE(ops.Logged("__CollectPublics"));
    EXPECT_FALSE(ops.Logged("GetModuleFileNameA"));
}

TEST_F(ProcessEntryTest, AbortWithoutRecoveryPointEndsWithTheErrorLevel) {
    ops.duringStart = [] {
        rt::ErrorLevel(13);
        rt::QuitProgram();
    };
    EXPECT_EQ(ops.RunEntry(), 13u);
    const std::vector<std::string> tail(ops.log.end() - 2, ops.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"RTExit", "ExitProcess"}));
    rt::ErrorLevel(0);
}

TEST_F(ProcessEntryTest, RuntimeEndsTheProcessThroughTheEntrysExitSteps) {
    ops.duringStart = [] { rt::ExitThroughEntry(7); };
    EXPECT_EQ(ops.RunEntry(), 7u);
    EXPECT_EQ(ops.Folded().back(), "ExitProcess");
    EXPECT_EQ(ops.log[ops.log.size() - 2], "RTExit");
    EXPECT_FALSE(ops.Logged("__ConvertResult"));
}

}  // namespace
}  // namespace app
