#include "errors/Error.h"

#include <gtest/gtest.h>

#include <limits>

#include "ErrorTestSupport.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

std::shared_ptr<Error> CreateInside(const rt::Usual& level, int& line) {
    RT_ENTER("TEST:CREATOR", "Test Module");
    RT_LINE();
    line = __LINE__ - 1;
    return Error::New(level);
}

TEST(ErrorTest, NewObjectListsTheStackFromItsCreatorAndKnowsTheProgram) {
    int line = 0;
    const auto error = CreateInside(rt::NIL, line);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Stack, "TEST:CREATOR (Line:" + std::to_string(line) + ")\r\n");
    EXPECT_EQ(error->SubSystem, rt::ExecName());
    EXPECT_FALSE(error->SubSystem.empty());
    EXPECT_EQ(error->ClassName(), "ERROR");
}

TEST(ErrorTest, InitRunAgainListsTheStackFromItsCaller) {
    const auto error = Error::New();
    {
        RT_ENTER("TEST:REINIT", "Test Module");
        RT_LINE();
        error->Init();
    }
    EXPECT_EQ(error->Stack.rfind("TEST:REINIT (Line:", 0), 0u) << error->Stack;
}

TEST(ErrorTest, EveryOtherFieldStartsEmpty) {
    const auto error = Error::New();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->SubCode, 0u);
    EXPECT_EQ(error->GenCode, 0u);
    EXPECT_EQ(error->OsCode, 0u);
    EXPECT_EQ(error->Severity, 0u);
    EXPECT_FALSE(error->CanDefault);
    EXPECT_FALSE(error->CanRetry);
    EXPECT_FALSE(error->CanSubstitute);
    EXPECT_EQ(error->Operation, "");
    EXPECT_EQ(error->Description, "");
    EXPECT_EQ(error->FileName, "");
    EXPECT_EQ(error->Args, nullptr);
    EXPECT_EQ(error->Tries, 0u);
    EXPECT_FALSE(error->FuncSym);
    EXPECT_EQ(error->FileHandle, 0u);
    EXPECT_EQ(error->ArgNum, 0u);
    EXPECT_EQ(error->FuncPtr, nullptr);
    EXPECT_EQ(error->SubCodeText, "");
    EXPECT_EQ(error->Arg, "");
    EXPECT_EQ(error->ArgType, 0u);
    EXPECT_EQ(error->ArgTypeReq, 0u);
    EXPECT_EQ(error->MaxSize, 0u);
    EXPECT_EQ(error->SubstituteType, 0u);
    EXPECT_EQ(error->Choice, 0u);
    EXPECT_FALSE(error->CallFuncSym);
    EXPECT_TRUE(error->Cargo.IsNil());
    EXPECT_TRUE(error->MethodSelf.IsNil());
    // No activations around the creator: the empty marker.
    EXPECT_EQ(error->Stack, "*EmptyCallStack*\r\n");
}

TEST(ErrorTest, LevelSkipsOuterActivationsAndNonNumbersCountAsZero) {
    int line = 0;
    EXPECT_EQ(CreateInside(rt::Usual(std::int32_t{1}), line)->Stack, "*EmptyCallStack*\r\n");
    EXPECT_EQ(CreateInside(rt::Usual("1"), line)->Stack,
              "TEST:CREATOR (Line:" + std::to_string(line) + ")\r\n");
}

TEST(ErrorTest, ThrowHandsTheObjectToTheErrorBlock) {
    const auto error = Error::New();
    rt::Usual seen;
    const auto previous =
        rt::ErrorBlock(std::make_shared<const rt::CodeBlock>([&](const rt::Usual& value) {
            seen = value;
            return rt::Usual("answer");
        }));
    const auto result = error->Throw();
    rt::ErrorBlock(previous);
    EXPECT_EQ(result.AsText(), "answer");
    EXPECT_EQ(AsError(seen), error);
}

TEST(ErrorTest, ObjectOnTheStackIsThrownAsACopy) {
    Error local;
    local.GenCode = 23;
    rt::Usual seen;
    const auto previous =
        rt::ErrorBlock(std::make_shared<const rt::CodeBlock>([&](const rt::Usual& value) {
            seen = value;
            return rt::Usual(false);
        }));
    local.Throw();
    rt::ErrorBlock(previous);
    ASSERT_TRUE(AsError(seen));
    EXPECT_EQ(AsError(seen)->GenCode, 23u);
}

TEST(ErrorTest, FloatingLevelsWrapToThirtyTwoBits) {
    int line = 0;
    const std::string own = "TEST:CREATOR (Line:";
    // 2^32 wraps to level 0, the creator; NaN counts as 0; 1.9 is level 1.
    EXPECT_EQ(CreateInside(rt::Usual(4294967296.0), line)->Stack.rfind(own, 0), 0u);
    EXPECT_EQ(CreateInside(rt::Usual(std::numeric_limits<double>::quiet_NaN()), line)
                  ->Stack.rfind(own, 0),
              0u);
    EXPECT_EQ(CreateInside(rt::Usual(1.9), line)->Stack, "*EmptyCallStack*\r\n");
}

TEST(ErrorTest, UnsignedFieldsKeepTheirValueAsDynamicNumbers) {
    EXPECT_TRUE(Error::Number(5333).IsLong());
    EXPECT_EQ(Error::Number(5333).AsLong(), 5333);
    EXPECT_TRUE(Error::Number(3221225477u).IsFloat());
    EXPECT_DOUBLE_EQ(Error::Number(3221225477u).AsFloat(), 3221225477.0);
    EXPECT_EQ(AsError(rt::Usual("not an object")), nullptr);
}

}  // namespace
}  // namespace errors
