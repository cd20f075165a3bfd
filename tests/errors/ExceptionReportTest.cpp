// A C++ exception thrown by a button's handler must reach the error dialog
// and the error log, and the program must go on.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

#include "ErrorTestSupport.h"
#include "errors/ErrorDialog.h"
#include "platform/runtime/ErrorSystem.h"

namespace errors {
namespace {

class ExceptionReportTest : public testing::ErrorSystemFixture {};

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
