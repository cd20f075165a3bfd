#include "platform/runtime/Startup.h"

#include <gtest/gtest.h>

#include <cstring>

#include "RuntimeFixture.h"

namespace rt {
namespace {

class StartupTest : public RuntimeFixture {};

TEST_F(StartupTest, AtomTableNumbersFromTheFirstProgramSymbolWithinItsCapacity) {
    ASSERT_EQ(CreateAtomTable(16, 2), 0);
    EXPECT_EQ(SysAddAtom("WSERIAL"), 444u);
    EXPECT_EQ(SysAddAtom("WSerial"), 445u) << "case makes another symbol";
    EXPECT_EQ(SysAddAtom("X"), 0u) << "count capacity reached";
    EXPECT_EQ(SysAddAtom(nullptr), 0u);
    ASSERT_EQ(CreateAtomTable(8, 100), 0);
    EXPECT_EQ(SysAddAtom("ABCDEFG"), 444u);
    EXPECT_EQ(SysAddAtom("H"), 0u) << "byte capacity reached";
    EXPECT_NE(CreateAtomTable(0, 10), 0);
    EXPECT_NE(CreateAtomTable(10, 0), 0);
}

TEST_F(StartupTest, MemoryBlocksAreUsableAndNeedMemInit) {
    auto* block = static_cast<char*>(MemAlloc(6));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "hello", 6);
    EXPECT_STREQ(block, "hello");
    EXPECT_EQ(MemAlloc(0), nullptr);
    RTExit();
    EXPECT_EQ(MemAlloc(4), nullptr) << "the runtime's memory ends with the runtime";
    EXPECT_NE(RTInit({}), 0) << "RTInit needs MemInit first";
    ASSERT_EQ(MemInit(), 0);
    EXPECT_EQ(RTInit({}), 0);
}

TEST_F(StartupTest, CollectPublicsLooksForTheSwitchAfterTheProgramName) {
    struct Case {
        const char* line;
        int expected;
    };
    const Case cases[] = {
        {"comtest --collect-publics", 1},
        {"\"/opt/my programs/comtest\" --port Com1=loop --collect-publics", 1},
        {"comtest \"--collect-publics\"", 1},
        {"comtest", 0},
        {"--collect-publics", 0},
        {"comtest --collect-publics=no", 0},
        {"comtest \"--collect-publics x\"", 0},
        {"comtest \\\"--collect-publics", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        RTInitParams params;
        params.commandLine = c.line;
        ASSERT_EQ(RTInit(params), 0);
        EXPECT_EQ(CollectPublics() != 0, c.expected != 0) << c.line;
    }
    RTExit();
    EXPECT_EQ(CollectPublics(), 0) << "no command line after shut-down";
}

TEST_F(StartupTest, ConvertResultTakesTheValuePart) {
    struct Case {
        Usual result;
        std::uint32_t code;
    };
    const Case cases[] = {{Usual(0), 0},
                          {Usual(3), 3},
                          {Usual(-1), 0xFFFFFFFFu},
                          {Usual(2.9), 2},
                          {Usual(-2.9), 0xFFFFFFFEu},
                          {Usual(1e12), 0},
                          {Usual(true), 1},
                          {Usual(false), 0},
                          {NIL, 0},
                          {Usual("7"), 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ConvertResult(c.result), c.code) << static_cast<int>(c.result.Type());
    }
}

TEST_F(StartupTest, FunctionTableAndGlobalsLiveFromRTInitToRTExit) {
    const auto twice = Sym("TWICE");
    const FunctionEntry functions[] = {
        {twice, [](std::span<const Usual> args) { return Usual(args[0].AsLong() * 2); }, 1}};
    Usual global = Usual::ArrayOf({Usual(1)});
    Usual* globals[] = {&global};
    RTInitParams params;
    params.functions = functions;
    params.globals = globals;
    ASSERT_EQ(RTInit(params), 0);
    EXPECT_TRUE(RuntimeStarted());
    const Usual args[] = {Usual(21)};
    EXPECT_EQ(CallFunction(twice, args), Usual(42));
    ASSERT_NE(FindFunction(twice), nullptr);
    EXPECT_EQ(FindFunction(twice)->params, 1u);
    EXPECT_TRUE(CallFunction(Sym("NONE")).IsNil());

    RTExit();
    EXPECT_FALSE(RuntimeStarted());
    EXPECT_TRUE(global.IsNil()) << "globals are released at shut-down";
    EXPECT_EQ(FindFunction(twice), nullptr);
}

TEST_F(StartupTest, RTInitRejectsIncompleteTables) {
    const FunctionEntry noCode[] = {{Sym("F"), {}, 0}};
    RTInitParams params;
    params.functions = noCode;
    EXPECT_NE(RTInit(params), 0);
    Usual* nullGlobal[] = {nullptr};
    RTInitParams globals;
    globals.globals = nullGlobal;
    EXPECT_NE(RTInit(globals), 0);
}

}  // namespace
}  // namespace rt
