#include "errors/DefError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>

#include "ErrorTestSupport.h"
#include "errors/Error.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/GuardedSequence.h"
#include "platform/runtime/Termination.h"
#include "platform/runtime/Tone.h"

namespace errors {
namespace {

using testing::ReadFile;

class DefErrorTest : public testing::ErrorSystemFixture {
  protected:
    static std::shared_ptr<Error> MakeError(std::uint32_t genCode) {
        auto error = Error::New();
        error->GenCode = genCode;
        error->Severity = 2;
        return error;
    }
    static rt::Usual Handle(const std::shared_ptr<Error>& error) {
        return DefError(rt::Usual(rt::ObjectRef(error)));
    }
    bool LogExists() const { return !ReadFile(LogPath()).empty(); }
};

TEST_F(DefErrorTest, SharingConflictsOnlySetTheNetworkFlag) {
    struct Case {
        bool canDefault;
        std::uint32_t genCode, osCode;
        bool quiet;
    };
    const Case cases[] = {
        {true, 21, 32, true},   {true, 21, 33, true},  {true, 21, 5, false},
        {false, 21, 32, false}, {true, 40, 32, false}, {true, 20, 33, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.canDefault << "/" << c.genCode << "/" << c.osCode);
        shown_.clear();
        tones_.clear();
        std::remove(LogPath().c_str());
        rt::NetErr(false);
        auto error = MakeError(c.genCode);
        error->CanDefault = c.canDefault;
        error->OsCode = c.osCode;
        answers_ = {rt::ErrorAnswer::Default};
        const auto result = Handle(error);
        EXPECT_EQ(rt::NetErr(), c.quiet);
        EXPECT_EQ(shown_.empty(), c.quiet);
        EXPECT_EQ(tones_.empty(), c.quiet);
        EXPECT_EQ(LogExists(), !c.quiet);
        if (c.quiet) {
            EXPECT_EQ(result, rt::Usual(false));
        }
    }
}

TEST_F(DefErrorTest, AValueThatIsNoErrorObjectIsReportedAsCode28) {
    answers_ = {rt::ErrorAnswer::Default};
    const auto result = DefError(rt::Usual(std::int32_t{42}));
    EXPECT_EQ(result, rt::Usual(false));
    ASSERT_EQ(shown_.size(), 1u);
    const auto& text = shown_[0].text;
    EXPECT_EQ(text.rfind("Error Code:  28 [ WRONG TYPE OF VALUE ]\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("\r\nFunction: DEFERROR\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nArgument: 42\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nArgument Number: 1\r\n"), std::string::npos) << text;
    EXPECT_TRUE(shown_[0].choices.canDefault);
    EXPECT_EQ(shown_[0].caption, "ERROR");
    EXPECT_EQ(rt::State().errors.wrapRecord.Get(rt::RawError::GenCode), 28u);
}

TEST_F(DefErrorTest, AForeignValueIsReportedEvenWithoutAGenerator) {
    rt::ErrorFunc(nullptr);
    DefError(rt::Usual("stray text"));
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text.rfind("Error Code:  28 [ WRONG TYPE OF VALUE ]\r\n", 0), 0u);
    EXPECT_NE(shown_[0].text.find("\r\nArgument: stray text\r\n"), std::string::npos);
    EXPECT_TRUE(shown_[0].choices.canDefault);
}

TEST_F(DefErrorTest, PointerSubstituteRaisesSeverityButKeepsTheWarningCaption) {
    auto error = MakeError(21);
    error->Severity = 1;
    error->SubstituteType = 18;
    error->CanDefault = true;
    Handle(error);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].caption, "WARNING");
    EXPECT_EQ(shown_[0].text.rfind("Error Code: ", 0), 0u);
    EXPECT_EQ(error->Severity, 3u);
    EXPECT_NE(ReadFile(LogPath()).find("\r\nSeverity        :3\r\n"), std::string::npos);
}

TEST_F(DefErrorTest, AnswersOfferedFollowTheErrorsAbilities) {
    struct Case {
        bool canDefault, canSubstitute, canRetry;
        std::uint32_t genCode;
        bool offersDefault, offersRetry;
        bool retryAfter;
    };
    const Case cases[] = {
        {false, false, false, 21, false, false, false},
        {true, false, false, 21, true, false, false},
        {false, true, false, 21, true, false, false},
        {false, false, true, 21, false, true, true},
        {false, false, true, 14, false, false, false},
    };
    for (const auto& c : cases) {
        shown_.clear();
        auto error = MakeError(c.genCode);
        error->CanDefault = c.canDefault;
        error->CanSubstitute = c.canSubstitute;
        error->CanRetry = c.canRetry;
        answers_ = {c.offersDefault ? rt::ErrorAnswer::Default : rt::ErrorAnswer::Retry};
        Handle(error);
        ASSERT_EQ(shown_.size(), 1u);
        EXPECT_EQ(shown_[0].choices,
                  (rt::ErrorChoices{c.offersDefault, c.offersRetry, rt::AbortOffer::Quit}));
        EXPECT_EQ(error->CanRetry, c.retryAfter);
    }
    const auto log = ReadFile(LogPath());
    // The last entry (code 14) was written after CanRetry was cleared.
    const auto last = log.rfind("***********************ERROR");
    ASSERT_NE(last, std::string::npos);
    EXPECT_NE(log.find("\r\nCanRetry        :", last), std::string::npos);
    EXPECT_EQ(log.find("CanRetry        :" + rt::AsString(rt::Usual(true)), last),
              std::string::npos);
}

TEST_F(DefErrorTest, TheAnswerDecidesTheResult) {
    struct Case {
        rt::ErrorAnswer answer;
        bool canSubstitute;
        std::uint32_t substituteType;
        rt::Usual expected;
    };
    const Case cases[] = {
        {rt::ErrorAnswer::Default, true, 7, rt::Usual(std::string())},
        {rt::ErrorAnswer::Default, false, 7, rt::Usual(false)},
        {rt::ErrorAnswer::Default, true, 1, rt::Usual(std::int32_t{0})},
        {rt::ErrorAnswer::Retry, false, 0, rt::Usual(true)},
    };
    for (const auto& c : cases) {
        auto error = MakeError(21);
        error->CanDefault = true;
        error->CanRetry = true;
        error->CanSubstitute = c.canSubstitute;
        error->SubstituteType = c.substituteType;
        answers_ = {c.answer};
        const auto result = Handle(error);
        EXPECT_EQ(result.Type(), c.expected.Type())
            << static_cast<int>(c.answer) << "/" << c.substituteType;
        EXPECT_EQ(result, c.expected) << static_cast<int>(c.answer) << "/" << c.substituteType;
    }
}

TEST_F(DefErrorTest, AbortInsideAGuardedSequenceRecoversWithTheErrorObject) {
    auto error = MakeError(23);
    answers_ = {rt::ErrorAnswer::Abort};
    rt::Usual recovered;
    bool after = false;
    rt::BeginSequence(
        [&] {
            Handle(error);
            after = true;
        },
        [&](const rt::Usual& value) { recovered = value; });
    EXPECT_FALSE(after);
    EXPECT_EQ(AsError(recovered), error);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].choices.abort, rt::AbortOffer::ToRecovery);
}

TEST_F(DefErrorTest, TonesAnnounceTheReportWhenSwitchedOn) {
    Handle(MakeError(21));
    EXPECT_EQ(tones_,
              (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{440, 1}, {494, 1}, {523, 1}}));
    tones_.clear();
    rt::SetBeep(false);
    Handle(MakeError(21));
    EXPECT_TRUE(tones_.empty());
    EXPECT_EQ(shown_.size(), 2u);
}

TEST_F(DefErrorTest, LogEntryOnlyWhenTheErrorLogIsOn) {
    rt::SetErrorLog(false);
    Handle(MakeError(21));
    EXPECT_FALSE(LogExists());
    rt::SetErrorLog(true);
    Handle(MakeError(21));
    EXPECT_NE(ReadFile(LogPath()).find(shown_.back().text), std::string::npos);
}

TEST_F(DefErrorTest, ReportEndsWithTheCallStack) {
    auto error = MakeError(21);
    Handle(error);
    ASSERT_EQ(shown_.size(), 1u);
    const std::string end = "\r\nCallStack:\r\n*EmptyCallStack*\r\n";
    ASSERT_GE(shown_[0].text.size(), end.size());
    EXPECT_EQ(shown_[0].text.substr(shown_[0].text.size() - end.size()), end);

    // An empty Stack is filled from the handler's caller outward.
    error->Stack.clear();
    {
        RT_ENTER("TEST:REPORTER", "Test Module");
        RT_LINE();
        Handle(error);
    }
    EXPECT_EQ(error->Stack.rfind("TEST:REPORTER (Line:", 0), 0u) << error->Stack;
    EXPECT_NE(shown_.back().text.find("CallStack:\r\nTEST:REPORTER (Line:"), std::string::npos);
}

using DefErrorDeathTest = DefErrorTest;

TEST_F(DefErrorDeathTest, AbortOutsideAnyGuardedSequenceEndsWithTheGenericCode) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            rt::AtShutdown([] { std::cerr << "runtime shut down" << std::endl; });
            answers_ = {rt::ErrorAnswer::Quit};
            Handle(MakeError(23));
        },
        ::testing::ExitedWithCode(23), "runtime shut down");
}

}  // namespace
}  // namespace errors
