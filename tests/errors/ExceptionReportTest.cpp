// A C++ exception thrown by a button's handler must reach the error dialog
// and the error log, and the program must go on.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QTest>

#include <stdexcept>
#include <string>

#include "ErrorTestSupport.h"
#include "errors/ErrorDialog.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

class ExceptionReportTest : public testing::ErrorSystemFixture {};

int openLine = 0;
int beginLine = 0;

// A button's handler and the port operation it calls, registered as the
// program's methods are; the port operation throws.
void OpenPort() {
    RT_ENTER("SERIAL:OPEN", "Test");
    RT_LINE();
    openLine = __LINE__ - 1;
    throw std::runtime_error("port exploded");
}

void BeginButton() {
    RT_ENTER("WSERIAL:BEGINBUTTON", "WSerial");
    RT_LINE();
    beginLine = __LINE__ - 1;
    OpenPort();
}

TEST_F(ExceptionReportTest, TheCallStackShowsWhereTheExceptionWasThrown) {
    EXPECT_FALSE(rt::DispatchGuarded(BeginButton, "event dispatch"));
    ASSERT_EQ(shown_.size(), 1u);
    const std::string stack = "CallStack:\r\nSERIAL:OPEN (Line:" + std::to_string(openLine) +
                              ")\r\nWSERIAL:BEGINBUTTON (Line:" + std::to_string(beginLine) +
                              ")\r\n";
    EXPECT_NE(shown_[0].text.find(stack), std::string::npos) << shown_[0].text;
    EXPECT_NE(testing::ReadFile(LogPath()).find(stack), std::string::npos);

    // An exception caught on the way leaves nothing for the next one's report.
    try {
        BeginButton();
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(rt::DispatchGuarded([] { throw std::runtime_error("plain"); }, "event dispatch"));
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].text.find("SERIAL:OPEN"), std::string::npos) << shown_[1].text;
}

TEST_F(ExceptionReportTest, ExceptionFromAButtonHandlerIsReportedAndLogged) {
    rt::State().errors.messageBox = ShowErrorDialog;
    QPushButton button("Begin");
    int handled = 0;
    bool completed = true;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++handled;
        completed = rt::DispatchGuarded([] { throw std::runtime_error("port exploded"); },
                                        "WSERIAL:BEGINBUTTON");
    });
    button.show();

    std::string report;
    testing::AnswerNextErrorDialog([](ErrorDialog& dialog) { return dialog.DefaultButton(); },
                                   &report);
    QTest::mouseClick(&button, Qt::LeftButton);

    EXPECT_EQ(handled, 1);
    EXPECT_FALSE(completed);
    EXPECT_NE(report.find("Operation: WSERIAL:BEGINBUTTON\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Description: port exploded\n"), std::string::npos) << report;
    const auto log = testing::ReadFile(LogPath());
    EXPECT_NE(log.find("Description     :port exploded\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Operation       :WSERIAL:BEGINBUTTON\r\n"), std::string::npos);

    // The program goes on: the button still works.
    testing::AnswerNextErrorDialog([](ErrorDialog& dialog) { return dialog.DefaultButton(); });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(handled, 2);
}

}  // namespace
}  // namespace errors
