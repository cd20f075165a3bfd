#include "errors/DefErrorGen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errors/Error.h"
#include "platform/os/MessageBoxA.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/RawError.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

std::vector<std::string>& Boxes() {
    static std::vector<std::string> boxes;
    return boxes;
}

int RecordBox(os::HWND owner, const char* text, const char* caption, std::uint32_t style) {
    Boxes().push_back(std::to_string(owner) + "|" + text + "|" + caption + "|" +
                      std::to_string(style));
    return os::IDOK;
}

class DefErrorGenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Boxes().clear();
        previous_ = os::SetMessageBoxPresenter(RecordBox);
    }
    void TearDown() override { os::SetMessageBoxPresenter(previous_); }

  private:
    os::MessageBoxPresenter previous_ = nullptr;
};

TEST_F(DefErrorGenTest, EveryFieldOfTheRecordReachesTheObject) {
    rt::RawError raw;
    using F = rt::RawError;
    raw.SetText(F::SubSystem, "Serial");
    raw.Set(F::SubCode, 5333);
    raw.Set(F::GenCode, 21);
    raw.Set(F::OsCode, 0xC0000005);
    raw.Set(F::Severity, 2);
    raw.SetLogic(F::CanDefault, true);
    raw.Set(F::CanRetry, 0x100);  // any non-zero value is TRUE
    raw.SetLogic(F::CanSubstitute, false);
    raw.SetText(F::Operation, "FOPEN");
    raw.SetText(F::Description, "in use");
    raw.SetText(F::FileName, "KXERROR.LOG");
    raw.SetArgs({rt::Usual("Com1"), rt::Usual(std::int32_t{9600})});
    raw.Set(F::Tries, 3);
    raw.Set(F::FuncSym, 444);
    raw.Set(F::FileHandle, 5);
    raw.Set(F::ArgNum, 2);
    raw.Set(F::FuncPtr, 0x401000);
    raw.SetText(F::SubCodeText, "busy");
    raw.SetText(F::Arg, "Com1");
    raw.Set(F::ArgType, 7);
    raw.Set(F::ArgTypeReq, 1);
    raw.Set(F::MaxSize, 64);
    raw.Set(F::SubstituteType, 18);
    raw.Set(F::Choice, 4);
    raw.Set(F::CallFuncSym, 445);

    const auto error = AsError(DefErrorGen(rt::Usual(static_cast<void*>(&raw))));
    ASSERT_TRUE(error);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(error->SubSystem, "Serial");
    EXPECT_EQ(error->SubCode, 5333u);
    EXPECT_EQ(error->GenCode, 21u);
    EXPECT_EQ(error->OsCode, 0xC0000005u);
    EXPECT_EQ(error->Severity, 2u);
    EXPECT_TRUE(error->CanDefault);
    EXPECT_TRUE(error->CanRetry);
    EXPECT_FALSE(error->CanSubstitute);
    EXPECT_EQ(error->Operation, "FOPEN");
    EXPECT_EQ(error->Description, "in use");
    EXPECT_EQ(error->FileName, "KXERROR.LOG");
    ASSERT_TRUE(error->Args);
    ASSERT_EQ(error->Args->size(), 2u);
    EXPECT_EQ((*error->Args)[0].AsText(), "Com1");
    EXPECT_EQ((*error->Args)[1].AsLong(), 9600);
    EXPECT_EQ(error->Tries, 3u);
    EXPECT_EQ(error->FuncSym, rt::Symbol{444});
    EXPECT_EQ(error->FileHandle, 5u);
    EXPECT_EQ(error->ArgNum, 2u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(error->FuncPtr), 0x401000u);
    EXPECT_EQ(error->SubCodeText, "busy");
    EXPECT_EQ(error->Arg, "Com1");
    EXPECT_EQ(error->ArgType, 7u);
    EXPECT_EQ(error->ArgTypeReq, 1u);
    EXPECT_EQ(error->MaxSize, 64u);
    EXPECT_EQ(error->SubstituteType, 18u);
    EXPECT_EQ(error->Choice, 4u);
    EXPECT_EQ(error->CallFuncSym, rt::Symbol{445});
}

TEST_F(DefErrorGenTest, EmptyRecordOverwritesTheSubsystemButKeepsTheStack) {
    rt::RawError raw;
    const auto error = AsError(DefErrorGen(rt::Usual(static_cast<void*>(&raw))));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->SubSystem, "");
    ASSERT_TRUE(error->Args);
    EXPECT_TRUE(error->Args->empty());
    EXPECT_EQ(error->Stack, "*EmptyCallStack*\r\n");
}

TEST_F(DefErrorGenTest, StackStartsAtTheCodeThatAskedForTheObject) {
    rt::RawError raw;
    rt::Usual built;
    {
        RT_ENTER("TEST:RAISER", "Test Module");
        RT_LINE();
        built = DefErrorGen(rt::Usual(static_cast<void*>(&raw)));
    }
    const auto error = AsError(built);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Stack.rfind("TEST:RAISER (Line:", 0), 0u) << error->Stack;
    EXPECT_EQ(error->Stack.find("DEFERRORGEN"), std::string::npos) << error->Stack;
}

TEST_F(DefErrorGenTest, NonPointerIsReportedAndTheFreshObjectReturned) {
    const rt::Usual wrongs[] = {rt::NIL, rt::Usual(std::int32_t{100}), rt::Usual("raw")};
    for (const auto& wrong : wrongs) {
        Boxes().clear();
        const auto error = AsError(DefErrorGen(wrong));
        ASSERT_TRUE(error);
        EXPECT_EQ(error->SubSystem, rt::ExecName());
        EXPECT_EQ(error->GenCode, 0u);
        EXPECT_EQ(error->Args, nullptr) << "the record was not read";
        EXPECT_EQ(Boxes(),
                  std::vector<std::string>{"0|Error structure has wrong tag|FROM DefErrorGen|0"});
    }
}

TEST_F(DefErrorGenTest, NullPointerReadsAsAnEmptyRecord) {
    const auto error = AsError(DefErrorGen(rt::Usual(static_cast<void*>(nullptr))));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->GenCode, 0u);
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace errors
