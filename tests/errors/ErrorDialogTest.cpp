#include "errors/ErrorDialog.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

#include "ErrorTestSupport.h"

namespace errors {
namespace {

TEST(ErrorDialogTest, OneButtonForEachAnswerOffered) {
    struct Case {
        rt::ErrorChoices choices;
        const char* abortCaption;
    };
    using rt::AbortOffer;
    const Case cases[] = {
        {{true, true, AbortOffer::ToRecovery}, "&Abort"},
        {{false, true, AbortOffer::Quit}, "&Quit program"},
        {{true, false, AbortOffer::Quit}, "&Quit program"},
        {{false, false, AbortOffer::ToRecovery}, "&Abort"},
    };
    for (const auto& c : cases) {
        ErrorDialog dialog("Error Code:  21 [ X ]\r\nOperation: FOPEN\r\n", "ERROR", c.choices);
        const bool hasDefault = c.choices.canDefault;
        const bool hasRetry = c.choices.canRetry;
        EXPECT_EQ(dialog.DefaultButton() != nullptr, hasDefault);
        EXPECT_EQ(dialog.RetryButton() != nullptr, hasRetry);
        ASSERT_NE(dialog.AbortButton(), nullptr);
        EXPECT_EQ(dialog.AbortButton()->text(), c.abortCaption);
        EXPECT_EQ(dialog.findChildren<QPushButton*>().size(),
                  1 + (hasDefault ? 1 : 0) + (hasRetry ? 1 : 0));
    }
}

TEST(ErrorDialogTest, ShowsTheReportUnderItsCaption) {
    ErrorDialog dialog("WARNING :  21 [ X ]\r\nDescription: d\r\n", "WARNING",
                       rt::ErrorChoices{true, false, rt::AbortOffer::Quit});
    EXPECT_EQ(dialog.windowTitle(), "WARNING");
    const auto* report = dialog.findChild<QPlainTextEdit*>("report");
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->toPlainText(), "WARNING :  21 [ X ]\nDescription: d\n");
    EXPECT_TRUE(report->isReadOnly());
    EXPECT_TRUE(dialog.isModal());
}

TEST(ErrorDialogTest, PressedButtonGivesItsAnswer) {
    struct Case {
        std::function<QPushButton*(ErrorDialog&)> button;
        rt::AbortOffer abort;
        rt::ErrorAnswer answer;
    };
    const auto abort = [](ErrorDialog& d) { return d.AbortButton(); };
    const Case cases[] = {
        {[](ErrorDialog& d) { return d.DefaultButton(); }, rt::AbortOffer::Quit,
         rt::ErrorAnswer::Default},
        {[](ErrorDialog& d) { return d.RetryButton(); }, rt::AbortOffer::Quit,
         rt::ErrorAnswer::Retry},
        {abort, rt::AbortOffer::ToRecovery, rt::ErrorAnswer::Abort},
        {abort, rt::AbortOffer::Quit, rt::ErrorAnswer::Quit},
    };
    for (const auto& c : cases) {
        ErrorDialog dialog("text\r\n", "ERROR", rt::ErrorChoices{true, true, c.abort});
        dialog.show();
        QTest::mouseClick(c.button(dialog), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Answer(), c.answer);
    }
}

TEST(ErrorDialogTest, EscapeTakesTheDefaultWhenOfferedElseAborts) {
    using rt::AbortOffer;
    using rt::ErrorAnswer;
    const std::pair<rt::ErrorChoices, ErrorAnswer> cases[] = {
        {{true, true, AbortOffer::Quit}, ErrorAnswer::Default},
        {{false, true, AbortOffer::Quit}, ErrorAnswer::Quit},
        {{false, true, AbortOffer::ToRecovery}, ErrorAnswer::Abort},
    };
    for (const auto& [choices, expected] : cases) {
        ErrorDialog dialog("text\r\n", "ERROR", choices);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.Answer(), expected);
    }
}

TEST(ErrorDialogTest, ShowErrorDialogWaitsForTheOperator) {
    std::string shown;
    std::string caption;
    testing::AnswerNextErrorDialog(
        [&](ErrorDialog& dialog) {
            caption = dialog.windowTitle().toStdString();
            return dialog.RetryButton();
        },
        &shown);
    EXPECT_EQ(ShowErrorDialog("line one\r\n", "ERROR",
                              rt::ErrorChoices{true, true, rt::AbortOffer::Quit}),
              rt::ErrorAnswer::Retry);
    EXPECT_EQ(shown, "line one\n");
    EXPECT_EQ(caption, "ERROR");
}

}  // namespace
}  // namespace errors
