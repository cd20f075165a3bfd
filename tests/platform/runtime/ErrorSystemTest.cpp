#include "platform/runtime/ErrorSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <iostream>
#include <memory>
#include <set>
#include <stdexcept>
#include <utility>

#include "platform/runtime/Activation.h"
#include "platform/runtime/ErrorTexts.h"
#include "platform/runtime/GenCode.h"
#include "platform/runtime/GuardedSequence.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Termination.h"
#include "platform/runtime/Tone.h"
#include "support/CaptureStderr.h"

namespace rt {
namespace {

// A generator for these tests: hands the record's generic code, operation
// and description back as an array, so a test sees what reached the block.
Usual RecordGenerator(const Usual& pointer) {
    const auto* raw = static_cast<const RawError*>(pointer.AsPtr());
    return Usual::ArrayOf(
        {Usual(static_cast<std::int32_t>(raw->Get(RawError::GenCode))),
         Usual(raw->Text(RawError::Operation)), Usual(raw->Text(RawError::Description)),
         Usual(raw->Logic(RawError::CanDefault)), Usual(raw->Logic(RawError::CanRetry))});
}

// Installs a block and a generator for one test and puts the previous ones
// back afterwards.
class ErrorSystemTest : public ::testing::Test {
  protected:
    void SetUp() override { previousGenerator_ = ErrorFunc(RecordGenerator); }
    void TearDown() override {
        ErrorBlock(previousBlock_);
        ErrorFunc(previousGenerator_);
    }
    void Install(CodeBlock block) {
        const auto previous = ErrorBlock(std::make_shared<const CodeBlock>(std::move(block)));
        if (!installed_) previousBlock_ = previous;
        installed_ = true;
    }

    std::vector<Usual> seen_;

  private:
    CodeBlockRef previousBlock_;
    ErrorGenerator previousGenerator_ = nullptr;
    bool installed_ = false;
};

TEST_F(ErrorSystemTest, ErrorBlockInstallsAndGivesThePreviousBack) {
    const auto before = ErrorBlock();
    auto block = std::make_shared<const CodeBlock>([](const Usual&) { return Usual(true); });
    EXPECT_EQ(ErrorBlock(block), before);
    EXPECT_EQ(ErrorBlock(), block);
    EXPECT_EQ(Eval(ErrorBlock(), NIL), Usual(true));
    EXPECT_EQ(ErrorBlock(before), block);
    EXPECT_TRUE(Eval(nullptr, Usual(std::int32_t{1})).IsNil());
}

TEST_F(ErrorSystemTest, RaiseHandsTheGeneratedObjectToTheBlockAndReturnsItsAnswer) {
    Install([this](const Usual& error) {
        seen_.push_back(error);
        return Usual("substitute");
    });
    RawError raw;
    raw.Set(RawError::GenCode, gen::kOpen);
    raw.SetText(RawError::Operation, "FOPEN");
    const auto answer = Raise(raw);
    EXPECT_EQ(answer.AsText(), "substitute");
    ASSERT_EQ(seen_.size(), 1u);
    const auto& fields = *seen_[0].AsArray();
    EXPECT_EQ(fields[0].AsLong(), 21);
    EXPECT_EQ(fields[1].AsText(), "FOPEN");
}

TEST_F(ErrorSystemTest, RaiseErrorFillsTheRecordFromWhatTheRaiserKnows) {
    RawError seen;
    const auto previous = ErrorFunc([](const Usual& pointer) {
        return Usual(
            static_cast<void*>(new RawError(*static_cast<const RawError*>(pointer.AsPtr()))));
    });
    Install([&](const Usual& error) {
        std::unique_ptr<RawError> copy(static_cast<RawError*>(error.AsPtr()));
        seen = *copy;
        return Usual(true);
    });
    const auto answer = RaiseError({.genCode = gen::kNumOverflow,
                                    .osCode = 5,
                                    .severity = 1,
                                    .canRetry = true,
                                    .operation = "WINCENTRE",
                                    .arg = "4294967296",
                                    .argNum = 2,
                                    .argType = 3,
                                    .funcSym = Symbol{450}});
    ErrorFunc(previous);
    EXPECT_EQ(Classify(answer), Answer::Retry);
    EXPECT_EQ(seen.Get(RawError::GenCode), gen::kNumOverflow);
    EXPECT_EQ(seen.Get(RawError::OsCode), 5u);
    EXPECT_EQ(seen.Get(RawError::Severity), 1u);
    EXPECT_FALSE(seen.Logic(RawError::CanDefault));
    EXPECT_TRUE(seen.Logic(RawError::CanRetry));
    EXPECT_EQ(seen.Text(RawError::Operation), "WINCENTRE");
    EXPECT_EQ(seen.Text(RawError::Arg), "4294967296");
    EXPECT_EQ(seen.Text(RawError::SubSystem), "");
    EXPECT_EQ(seen.Get(RawError::ArgNum), 2u);
    EXPECT_EQ(seen.Get(RawError::ArgType), 3u);
    EXPECT_EQ(seen.Get(RawError::FuncSym), 450u);
}

TEST_F(ErrorSystemTest, ExceptionsBecomeErrorsThatOfferTheDefaultButNoRetry) {
    Install([this](const Usual& error) {
        seen_.push_back(error);
        return Usual(false);
    });
    const auto answer =
        RaiseFromException(std::runtime_error("disk on fire"), "WSERIAL:BEGINBUTTON");
    EXPECT_EQ(Classify(answer), Answer::Default);
    ASSERT_EQ(seen_.size(), 1u);
    const auto& fields = *seen_[0].AsArray();
    EXPECT_EQ(fields[0].AsLong(), static_cast<std::int32_t>(gen::kException));
    EXPECT_EQ(fields[1].AsText(), "WSERIAL:BEGINBUTTON");
    EXPECT_EQ(fields[2].AsText(), "disk on fire");
    EXPECT_TRUE(fields[3].AsLogic());
    EXPECT_FALSE(fields[4].AsLogic());
}

TEST_F(ErrorSystemTest, DispatchGuardedKeepsAnEscapingExceptionInsideTheRuntime) {
    Install([this](const Usual& error) {
        seen_.push_back(error);
        return Usual(false);
    });
    EXPECT_TRUE(DispatchGuarded([] {}, "QUIET"));
    EXPECT_TRUE(seen_.empty());
    EXPECT_FALSE(DispatchGuarded([] { throw std::out_of_range("index 9"); }, "CLICK"));
    EXPECT_FALSE(DispatchGuarded([] { throw 42; }, "CLOSE"));
    ASSERT_EQ(seen_.size(), 2u);
    EXPECT_EQ((*seen_[0].AsArray())[2].AsText(), "index 9");
    EXPECT_EQ((*seen_[1].AsArray())[1].AsText(), "CLOSE");
    EXPECT_EQ((*seen_[1].AsArray())[2].AsText(), "exception of unknown type");
}

TEST_F(ErrorSystemTest, JumpFromAnEventHandlerEndsTheLoopAndResumesAfterIt) {
    Install([](const Usual& error) -> Usual { LabelJump(error); });
    Usual recovered;
    bool loopReturned = false;
    BeginSequence(
        [&] {
            QTimer::singleShot(
                0, [] { DispatchGuarded([] { throw std::runtime_error("abort me"); }, "TIMER"); });
            QEventLoop loop;
            loop.exec();
            loopReturned = true;
            ResumeHeldBreak();
        },
        [&](const Usual& value) { recovered = value; });
    EXPECT_TRUE(loopReturned);
    ASSERT_TRUE(recovered.IsArray());
    EXPECT_EQ((*recovered.AsArray())[2].AsText(), "abort me");
    EXPECT_FALSE(CanBreak());
}

TEST_F(ErrorSystemTest, JumpWithinTheSameEventLoopGoesOnAtOnce) {
    Install([](const Usual& error) -> Usual { LabelJump(error); });
    Usual recovered;
    bool afterDispatch = false;
    BeginSequence(
        [&] {
            DispatchGuarded([] { throw std::runtime_error("nearby"); }, "DIRECT");
            afterDispatch = true;
        },
        [&](const Usual& value) { recovered = value; });
    EXPECT_FALSE(afterDispatch);
    ASSERT_TRUE(recovered.IsArray());
    EXPECT_EQ((*recovered.AsArray())[2].AsText(), "nearby");
    EXPECT_NO_THROW(ResumeHeldBreak()) << "nothing was held";
}

TEST_F(ErrorSystemTest, InternalErrorCarriesItsMessage) {
    Install([this](const Usual& error) {
        seen_.push_back(error);
        return Usual(false);
    });
    InternalError(1, 0, "SetDefault: /nowhere");
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ((*seen_[0].AsArray())[0].AsLong(), static_cast<std::int32_t>(gen::kInternal));
    EXPECT_EQ((*seen_[0].AsArray())[2].AsText(), "SetDefault: /nowhere");
}

// The line a report shows for the raising frame: a frame starts at the line
// of its entry, the raising functions record their own call's line, and a
// late-bound failure keeps the line its caller marked, not the helper's.
TEST_F(ErrorSystemTest, ARaiseShowsTheLineItStandsAt) {
    int seen = -1;
    Install([&](const Usual&) {
        seen = State().activations.At(0)->line;
        return Usual(false);
    });
    RT_ENTER("TEST:RAISER", "Test Module");
    EXPECT_EQ(State().activations.At(0)->line, __LINE__ - 1);
    RaiseError({.genCode = gen::kNumOverflow});
    EXPECT_EQ(seen, __LINE__ - 1);
    InternalError(1, 0, "internal");
    EXPECT_EQ(seen, __LINE__ - 1);
    RT_LINE();
    const int marked = __LINE__ - 1;
    Send(NIL, State().symbols.Add("ANYMETHOD"));
    EXPECT_EQ(seen, marked);
}

TEST(ErrorSystemAnswerTest, ResultsMapToRetryDefaultAndSubstitute) {
    struct Case {
        Usual result;
        Answer answer;
    };
    const Case cases[] = {
        {Usual(true), Answer::Retry},
        {Usual(false), Answer::Default},
        {NIL, Answer::Substitute},
        {Usual(""), Answer::Substitute},
        {Usual(std::int32_t{1}), Answer::Substitute},
    };
    for (const auto& c : cases) EXPECT_EQ(Classify(c.result), c.answer);
}

TEST(ErrorSystemValueTest, EmptyValuesFollowTheTypeCode) {
    EXPECT_EQ(EmptyUsual(7), Usual(std::string()));
    EXPECT_TRUE(EmptyUsual(7).IsString());
    EXPECT_TRUE(EmptyUsual(1).IsLong());
    EXPECT_EQ(EmptyUsual(1), Usual(std::int32_t{0}));
    EXPECT_TRUE(EmptyUsual(3).IsFloat());
    EXPECT_EQ(EmptyUsual(8), Usual(false));
    EXPECT_TRUE(EmptyUsual(2).IsDate());
    ASSERT_TRUE(EmptyUsual(5).IsArray());
    EXPECT_TRUE(EmptyUsual(5).AsArray()->empty());
    EXPECT_TRUE(EmptyUsual(18).IsPtr());
    EXPECT_EQ(EmptyUsual(18).AsPtr(), nullptr);
    EXPECT_TRUE(EmptyUsual(10).IsSymbol());
    EXPECT_TRUE(EmptyUsual(6).IsNil());
    EXPECT_TRUE(EmptyUsual(999).IsNil());
}

TEST(ErrorSystemFlagTest, FlagsStartOnAndSettersReturnThePreviousValue) {
    RuntimeState fresh;
    EXPECT_TRUE(fresh.errors.beep);
    EXPECT_TRUE(fresh.errors.errorLog);
    EXPECT_FALSE(fresh.errors.netErr);

    const bool log = SetErrorLog();
    EXPECT_EQ(SetErrorLog(!log), log);
    EXPECT_EQ(SetErrorLog(), !log);
    SetErrorLog(log);
    const bool net = NetErr();
    EXPECT_EQ(NetErr(true), net);
    EXPECT_TRUE(NetErr());
    NetErr(net);
    const bool beep = SetBeep();
    EXPECT_EQ(SetBeep(!beep), beep);
    EXPECT_EQ(SetBeep(), !beep);
    SetBeep(beep);
}

TEST(ErrorSystemMessageBoxTest, WithoutADialogTheDefaultOrTheAbortIsTaken) {
    auto previous = std::exchange(State().errors.messageBox, MessageBoxSeam{});
    const auto shown = testsupport::CaptureStderr([] {
        EXPECT_EQ(ErrorMessageBox("text\r\n", "ERROR", {true, true, AbortOffer::Quit}),
                  ErrorAnswer::Default);
        EXPECT_EQ(ErrorMessageBox("text\r\n", "ERROR", {false, true, AbortOffer::ToRecovery}),
                  ErrorAnswer::Abort);
    });
    State().errors.messageBox = previous;
    EXPECT_NE(shown.find("ERROR"), std::string::npos);
}

TEST(ErrorSystemTextTest, EveryCodeTheSystemUsesHasItsOwnText) {
    const std::uint32_t codes[] = {
        gen::kArgument,   gen::kBound,      gen::kNumOverflow, gen::kZeroDivide, gen::kNumeric,
        gen::kMemory,     gen::kNoFunction, gen::kNoMethod,    gen::kNoVariable, gen::kCreate,
        gen::kOpen,       gen::kClose,      gen::kRead,        gen::kWrite,      gen::kDataType,
        gen::kBadSetting, gen::kNoObject,   gen::kLock,        gen::kInternal,   gen::kException};
    std::set<std::string> texts;
    for (const auto code : codes) {
        const auto text = ErrString(code);
        EXPECT_NE(text, ErrString(9999)) << code;
        EXPECT_FALSE(text.empty()) << code;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), std::size(codes)) << "two codes share a text";
    EXPECT_EQ(TypeString(7), "STRING");
    EXPECT_EQ(TypeString(18), "PTR");
    EXPECT_EQ(TypeString(3), "FLOAT");
    EXPECT_EQ(TypeString(4), "UNKNOWN");
}

TEST(ErrorSystemDeathTest, WithoutAnErrorBlockTheProgramEndsWithTheGenericCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ErrorBlock(nullptr);
            RawError raw;
            raw.Set(RawError::GenCode, gen::kOpen);
            raw.SetText(RawError::Description, "nobody listens");
            Raise(raw);
        },
        ::testing::ExitedWithCode(21), "nobody listens");
}

TEST(ErrorSystemDeathTest, AnErrorBlockThatKeepsRaisingIsStopped) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ErrorBlock(std::make_shared<const CodeBlock>([](const Usual&) {
                RawError again;
                again.Set(RawError::GenCode, gen::kInternal);
                return Raise(again);
            }));
            RawError raw;
            raw.Set(RawError::GenCode, gen::kInternal);
            Raise(raw);
        },
        ::testing::ExitedWithCode(static_cast<int>(gen::kInternal)), "while handling errors");
}

TEST(ErrorSystemDeathTest, AnErrorBlockThatThrowsIsReportedOnceAndEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    using ::testing::AllOf;
    using ::testing::HasSubstr;
    using ::testing::Not;
    EXPECT_EXIT(
        {
            InstallTerminateHandler();
            ErrorBlock(std::make_shared<const CodeBlock>([](const Usual&) -> Usual {
                std::cerr << "reporting" << std::endl;
                throw std::runtime_error("dialog broke");
            }));
            // The failing report happens inside an event handled within an
            // outer event's nested loop: the outer dispatch must not see it.
            DispatchGuarded(
                [] { DispatchGuarded([] { throw std::runtime_error("port exploded"); }, "INNER"); },
                "OUTER");
        },
        ::testing::ExitedWithCode(static_cast<int>(gen::kException)),
        AllOf(HasSubstr("the error handler failed (dialog broke)"), HasSubstr("port exploded"),
              Not(HasSubstr("reporting\nreporting"))));
}

void Throw() {
    throw std::logic_error("nobody caught me");
}

// Called through a pointer the compiler cannot see through, so that it
// does not turn the throw into a direct terminate at compile time.
void ThrowPastNoexcept() noexcept {
    void (*volatile thrower)() = Throw;
    thrower();
}

TEST(ErrorSystemDeathTest, AnUncaughtExceptionIsReportedBeforeTheProgramEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            InstallTerminateHandler();
            ErrorFunc(RecordGenerator);
            ErrorBlock(std::make_shared<const CodeBlock>([](const Usual& error) {
                const auto& fields = *error.AsArray();
                std::cerr << "reported " << fields[0].AsLong() << " " << fields[2].AsText()
                          << " default " << fields[3].AsLogic() << std::endl;
                // An abort answer jumps; the handler must survive it.
                LabelJump(error);
                return NIL;
            }));
            BeginSequence([] { ThrowPastNoexcept(); }, [](const Usual&) {});
        },
        ::testing::ExitedWithCode(static_cast<int>(gen::kException)),
        "reported 51 nobody caught me default 0");
}

TEST(ErrorSystemDeathTest, QuitRunsShutdownHooksInReverseThenEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            AtShutdown([] { std::cerr << "first-registered" << std::endl; });
            AtShutdown([] { std::cerr << "second-registered" << std::endl; });
            ErrorLevel(9);
            QuitProgram();
        },
        ::testing::ExitedWithCode(9), "second-registered\nfirst-registered");
}

}  // namespace
}  // namespace rt
