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
        std::uint32_t defaultCode, retryCode, abortCode;
        bool hasDefault, hasRetry;
        const char* abortCaption;
    };
    const Case cases[] = {
        {1, 2, 0x80000003u, true, true, "&Abort"},
        {0, 2, 0x80000000u, false, true, "&Quit program"},
        {1, 0, 0x80000000u, true, false, "&Quit program"},
        {0, 0, 0x80000003u, false, false, "&Abort"},
    };
    for (const auto& c : cases) {
        ErrorDialog dialog("Error Code:  21 [ X ]\r\nOperation: FOPEN\r\n", "ERROR", c.defaultCode,
                           c.retryCode, c.abortCode);
        EXPECT_EQ(dialog.DefaultButton() != nullptr, c.hasDefault);
        EXPECT_EQ(dialog.RetryButton() != nullptr, c.hasRetry);
        ASSERT_NE(dialog.AbortButton(), nullptr);
        EXPECT_EQ(dialog.AbortButton()->text(), c.abortCaption);
        EXPECT_EQ(dialog.findChildren<QPushButton*>().size(),
                  1 + (c.hasDefault ? 1 : 0) + (c.hasRetry ? 1 : 0));
    }
}

TEST(ErrorDialogTest, ShowsTheReportUnderItsCaption) {
    ErrorDialog dialog("WARNING :  21 [ X ]\r\nDescription: d\r\n", "WARNING", 1, 0, 0x80000000u);
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
        std::uint32_t answer;
    };
    const Case cases[] = {
        {[](ErrorDialog& d) { return d.DefaultButton(); }, 1},
        {[](ErrorDialog& d) { return d.RetryButton(); }, 2},
        {[](ErrorDialog& d) { return d.AbortButton(); }, 3},
    };
    for (const auto& c : cases) {
        ErrorDialog dialog("text\r\n", "ERROR", 1, 2, 0x80000003u);
        dialog.show();
        QTest::mouseClick(c.button(dialog), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Answer(), c.answer);
    }
}

TEST(ErrorDialogTest, EscapeTakesTheDefaultWhenOfferedElseAborts) {
    {
        ErrorDialog dialog("text\r\n", "ERROR", 1, 2, 0x80000000u);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.Answer(), 1u);
    }
    {
        ErrorDialog dialog("text\r\n", "ERROR", 0, 2, 0x80000000u);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.Answer(), 0u);
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
    EXPECT_EQ(ShowErrorDialog("line one\r\n", "ERROR", 1, 2, 0x80000000u), 2u);
    EXPECT_EQ(shown, "line one\n");
    EXPECT_EQ(caption, "ERROR");
}

}  // namespace
}  // namespace errors
