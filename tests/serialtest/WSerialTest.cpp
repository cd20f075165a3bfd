// The serial test window driven through its widgets as a person would: the
// defaults, the two states, the settings handed to the port object, failed
// starts and the exit. Lines are pseudo-terminals made by the tests and the
// built-in loopback line.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "PtyPair.h"
#include "TestLineTables.h"
#include "WSerialFixture.h"
#include "platform/os/SystemMenu.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/serial/Serial.h"
#include "platform/window/App.h"
#include "platform/window/ResourceModule.h"
#include "platform/window/TopAppWindow.h"
#include "serialtest/SerialObject.h"
#include "serialtest/SerialTestClasses.h"
#include "serialtest/WSerial.h"
#include "serialtest/WSerialTemplate.h"
#include "support/CaptureStderr.h"
#include "support/ModalBoxWatcher.h"

namespace serialtest {
namespace {

using rt::Usual;
using serial::testing::PtyPair;
using serial::testing::ScopedPortMap;

// A settings object as start-up makes it: the window's tables, read by
// field name.
class TestSettings : public rt::Object {
  public:
    explicit TestSettings(LineTables tables) : tables_(std::move(tables)) {}
    Usual IVarGet(const std::string& name) const override {
        if (name == "APORT") return tables_.ports;
        if (name == "ABAUD") return tables_.bauds;
        if (name == "APARITY") return tables_.parities;
        return Usual();
    }
    std::string ClassName() const override { return "GSTRU"; }

  private:
    LineTables tables_;
};

TEST_F(WSerialTest, FirstDisplayIsIdleWithTheDefaults) {
    Open();
    EXPECT_EQ(Find<QComboBox>("PortListBox")->currentText(), QStringLiteral("Com1"));
    EXPECT_EQ(Find<QComboBox>("BaudListBox")->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(Find<QComboBox>("ParityListBox")->currentText(), QStringLiteral("None"));
    EXPECT_TRUE(Find<QRadioButton>("EightButton")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("ZeroButton")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>("TwoButton")->isChecked());
    EXPECT_TRUE(Enabled("BeginButton"));
    EXPECT_FALSE(Enabled("EndButton"));
    EXPECT_TRUE(Enabled("ExitButton"));
    EXPECT_FALSE(CloseGreyed());
    EXPECT_FALSE(window_->Port()->IsOpen());
    EXPECT_EQ(window_->Origin(), (win::Point{0, 0}));
    EXPECT_EQ(window_->Size(), shell_->CanvasArea());
    EXPECT_EQ(window_->Caption(), "DataWindow Caption");
    EXPECT_EQ(window_->BorderStyle(), 0);
    EXPECT_FALSE(window_->HasSystemMenu());
}

// Built late-bound by class name, the window reads its tables from the
// program's settings object.
TEST_F(WSerialTest, LateBoundWindowTakesItsTablesFromTheSettingsObject) {
    shell_ = std::make_unique<win::TopAppWindow>(&application_);
    const Usual mark = Usual::ArrayOf({Usual::ArrayOf({"Mark", 3})});
    rt::State().program.oGStru =
        Usual(rt::ObjectRef(std::make_shared<TestSettings>(testing::ProgramTables(mark))));
    // The shell stays the fixture's: the window is handed a reference only.
    const Usual owner[] = {Usual(rt::ObjectRef(shell_.get(), [](rt::Object*) {}))};
    const Usual made = rt::CreateInstance(rt::State().symbols.Add("WSERIAL"), owner);
    ASSERT_TRUE(made.IsObject());
    const auto* window = dynamic_cast<WSerial*>(made.AsObject().get());
    ASSERT_NE(window, nullptr);
    const auto* ports = window->Widget()->findChild<QComboBox*>(QStringLiteral("PortListBox"));
    const auto* parity = window->Widget()->findChild<QComboBox*>(QStringLiteral("ParityListBox"));
    ASSERT_TRUE(ports && parity);
    EXPECT_EQ(ports->count(), 9);
    ASSERT_EQ(parity->count(), 1);
    EXPECT_EQ(parity->itemText(0), QStringLiteral("Mark"));
}

TEST_F(WSerialTest, FailedOpenShowsTheFixedTextEmptiesThePaneAndStaysIdle) {
    ScopedPortMap ports("Com3", "/dev/comtest-no-such-device");
    Open();
    Choose("PortListBox", "Com3");
    Pane()->SetValue(QStringLiteral("left from before"));
    testsupport::ModalBoxWatcher boxes;
    // The reason goes to standard error; the box is what this test is about.
    testsupport::CaptureStderr([&] { Click("BeginButton"); });
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "Нельзя открыть порт Com3");
    // Why travels with the box, behind its details button.
    EXPECT_EQ(boxes.Seen()[0].details,
              "Cannot open Com3 (/dev/comtest-no-such-device): No such file or directory");
    EXPECT_TRUE(Pane()->Value().isEmpty());
    EXPECT_TRUE(Enabled("BeginButton"));
    EXPECT_FALSE(Enabled("EndButton"));
    EXPECT_TRUE(Enabled("ExitButton"));
    EXPECT_FALSE(CloseGreyed());
}

// The pane's port object can go (a Device set by name, then deleted): the
// buttons then show the usual box and change nothing.
TEST_F(WSerialTest, ButtonsOfAPaneWithoutAPortObjectShowTheBoxAndStayIdle) {
    Open();
    {
        serial::Serial gone(0);
        Pane()->SetDevice(&gone);
    }
    ASSERT_EQ(window_->Port(), nullptr);
    testsupport::ModalBoxWatcher boxes;
    Click("BeginButton");
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].text, "Нельзя открыть порт Com1");
    EXPECT_TRUE(Enabled("BeginButton"));
    // Late-bound code may press "Конец теста" at any time.
    window_->EndButton();
    EXPECT_FALSE(window_->EndTest());
    EXPECT_TRUE(Enabled("BeginButton"));
}

TEST_F(WSerialTest, StartAndEndSwitchButtonsCloseItemAndPort) {
    PtyPair line;
    ASSERT_TRUE(line.Ok());
    ScopedPortMap ports("Com1", line.Path());
    Open();
    Click("BeginButton");
    EXPECT_TRUE(window_->Port()->IsOpen());
    EXPECT_FALSE(Enabled("BeginButton"));
    EXPECT_TRUE(Enabled("EndButton"));
    EXPECT_FALSE(Enabled("ExitButton"));
    EXPECT_TRUE(CloseGreyed());
    // The settings controls stay usable during a test.
    EXPECT_TRUE(Find<QComboBox>("BaudListBox")->isEnabled());
    EXPECT_TRUE(Find<QRadioButton>("SevenButton")->isEnabled());

    Click("EndButton");
    EXPECT_FALSE(window_->Port()->IsOpen());
    EXPECT_TRUE(Enabled("BeginButton"));
    EXPECT_FALSE(Enabled("EndButton"));
    EXPECT_TRUE(Enabled("ExitButton"));
    EXPECT_FALSE(CloseGreyed());
}

TEST_F(WSerialTest, ChoicesReachThePortAsTheComponentsCodes) {
    PtyPair line;
    ASSERT_TRUE(line.Ok());
    ScopedPortMap ports("Com1", line.Path());
    struct Case {
        const char* what;
        const char* baud;
        const char* parity;
        const char* dataBits;
        const char* stopBits;
        std::uint32_t expectBaud;
        std::uint8_t expectParity;
        std::uint8_t expectByteSize;
        std::uint8_t expectStopBits;
    };
    const std::vector<Case> cases = {
        {"defaults", "9600", "None", "EightButton", "ZeroButton", 9600, 0, 8, 0},
        {"two stop bits", "19200", "None", "EightButton", "TwoButton", 19200, 0, 8, 2},
        {"seven data bits", "300", "None", "SevenButton", "ZeroButton", 300, 0, 7, 0},
        {"mark parity", "14400", "Mark", "EightButton", "ZeroButton", 14400, 3, 8, 0},
        {"even parity listed first", "1200", "Even", "EightButton", "TwoButton", 1200, 2, 8, 2},
    };
    Open();
    for (const auto& c : cases) {
        Choose("BaudListBox", c.baud);
        Choose("ParityListBox", c.parity);
        QTest::mouseClick(Find<QRadioButton>(c.dataBits), Qt::LeftButton);
        QTest::mouseClick(Find<QRadioButton>(c.stopBits), Qt::LeftButton);
        testsupport::ModalBoxWatcher boxes;  // a pseudo-terminal may refuse a setting
        Click("BeginButton");
        serial::Serial* port = window_->Port();
        EXPECT_EQ(port->Baud(), c.expectBaud) << c.what;
        EXPECT_EQ(port->Parity(), c.expectParity) << c.what;
        EXPECT_EQ(port->ByteSize(), c.expectByteSize) << c.what;
        EXPECT_EQ(port->StopBits(), c.expectStopBits) << c.what;
        if (Enabled("EndButton")) {
            Click("EndButton");
        } else {
            ASSERT_EQ(boxes.Seen().size(), 1u) << c.what;
            EXPECT_EQ(boxes.Seen()[0].text, port->ErrorDesc()) << c.what;
            port->Close();
        }
    }
}

class WSerialOwnParityTest : public WSerialTest {
  protected:
    WSerialOwnParityTest() {
        parity_ = Usual::ArrayOf({Usual::ArrayOf({"Mark", 4}), Usual::ArrayOf({"None", 0})});
    }
};

TEST_F(WSerialOwnParityTest, ParityCodeComesFromTheTableNotFromTheName) {
    PtyPair line;
    ASSERT_TRUE(line.Ok());
    ScopedPortMap ports("Com1", line.Path());
    Open();
    Choose("ParityListBox", "Mark");
    testsupport::ModalBoxWatcher boxes;
    Click("BeginButton");
    EXPECT_EQ(window_->Port()->Parity(), 4);
}

TEST_F(WSerialTest, RefusedSettingsShowTheComponentsTextAndASecondStartReopens) {
    PtyPair line;
    ASSERT_TRUE(line.Ok());
    ScopedPortMap ports("Com1", line.Path());
    Open();
    // A pseudo-terminal carries 8 data bits only.
    QTest::mouseClick(Find<QRadioButton>("SevenButton"), Qt::LeftButton);
    {
        testsupport::ModalBoxWatcher boxes;
        Click("BeginButton");
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_FALSE(boxes.Seen()[0].text.empty());
        EXPECT_EQ(boxes.Seen()[0].text, window_->Port()->ErrorDesc());
    }
    EXPECT_TRUE(Enabled("BeginButton"));
    EXPECT_FALSE(Enabled("EndButton"));
    EXPECT_FALSE(CloseGreyed());
    // The window leaves the port as the failed step left it.
    EXPECT_TRUE(window_->Port()->IsOpen());

    QTest::mouseClick(Find<QRadioButton>("EightButton"), Qt::LeftButton);
    testsupport::ModalBoxWatcher none;
    Click("BeginButton");
    EXPECT_TRUE(none.Seen().empty());
    EXPECT_TRUE(Enabled("EndButton"));
    EXPECT_TRUE(window_->Port()->IsOpen());
    // The reopened line carries data.
    ASSERT_TRUE(line.Send("ok"));
    EXPECT_TRUE(serial::testing::PumpUntil([&] { return Pane()->Value() == "ok"; }));
}

// The loopback line takes the settings a pseudo-terminal refuses and sends
// keys back as the chosen frame carries them: the ';' key's byte 186 comes
// back as 58 (':') with 7 data bits.
TEST_F(WSerialTest, LoopbackLineStartsWithEvenParityAndSevenDataBits) {
    ScopedPortMap ports("Com1", "loop");
    Open();
    Choose("ParityListBox", "Even");
    QTest::mouseClick(Find<QRadioButton>("SevenButton"), Qt::LeftButton);
    testsupport::ModalBoxWatcher boxes;
    Click("BeginButton");
    EXPECT_TRUE(boxes.Seen().empty()) << window_->Port()->ErrorDesc();
    ASSERT_TRUE(Enabled("EndButton"));
    QTest::keyClick(Pane()->View(), Qt::Key_Semicolon);
    EXPECT_TRUE(serial::testing::PumpUntil([&] { return Pane()->Value().contains(':'); }))
        << Pane()->Value().toStdString();
}

TEST_F(WSerialTest, StartRefusedAfterAFinishedTestShowsNothingThatArrives) {
    PtyPair line;
    ASSERT_TRUE(line.Ok());
    ScopedPortMap ports("Com1", line.Path());
    Open();
    Click("BeginButton");
    ASSERT_TRUE(Enabled("EndButton"));
    Click("EndButton");
    // A pseudo-terminal carries 8 data bits only: this start stops at the
    // settings with the port open.
    QTest::mouseClick(Find<QRadioButton>("SevenButton"), Qt::LeftButton);
    {
        testsupport::ModalBoxWatcher boxes;
        Click("BeginButton");
        ASSERT_EQ(boxes.Seen().size(), 1u);
    }
    ASSERT_TRUE(window_->Port()->IsOpen());
    ASSERT_TRUE(line.Send("late"));
    serial::testing::PumpFor(std::chrono::milliseconds(200));
    EXPECT_EQ(Pane()->Value(), QString());
    // The bytes still wait in the port for a reader that asks.
    EXPECT_EQ(serial::testing::DrainAtLeast(*window_->Port(), 4), "late");
}

TEST_F(WSerialTest, LateBoundPaneHasOneOwnerAndIgnoresValuesOfTheWrongKind) {
    Open();
    auto& symbols = rt::State().symbols;
    const rt::Symbol device = symbols.Add("DEVICE");
    const rt::Symbol dispatch = symbols.Add("DISPATCH");
    auto owner = std::make_shared<WSerial>(shell_.get(), testing::ProgramTables());
    Usual pane;
    {
        const Usual made[] = {Usual(rt::ObjectRef(owner)), Usual(std::int32_t{kCommEdit})};
        pane = rt::CreateInstance(symbols.Add("SERIALMLE"), made);
    }
    ASSERT_TRUE(pane.IsObject());
    auto* mle = dynamic_cast<SerialMLE*>(pane.AsObject().get());
    ASSERT_NE(mle, nullptr);
    serial::Serial* own = mle->Device();
    {
        const Usual read = rt::Access(pane, device);
        ASSERT_TRUE(read.IsObject());
        EXPECT_EQ(dynamic_cast<SerialObject*>(read.AsObject().get())->Port(), own);

        int notAnObject = 7;
        QObject notAPort;
        const Usual wrong[] = {
            Usual(static_cast<void*>(&notAnObject)),
            Usual(static_cast<void*>(&notAPort)),
            Usual(static_cast<void*>(own)),
            Usual(5),
            Usual("Com1"),
            Usual(rt::ObjectRef(owner)),
            rt::NIL,
        };
        for (const Usual& value : wrong) {
            rt::Assign(pane, device, value);
            EXPECT_EQ(mle->Device(), own);
            EXPECT_EQ(rt::Send(pane, dispatch, std::span(&value, 1)), rt::NIL);
        }
        EXPECT_EQ(mle->Value(), QString());
        const Usual typed(
            rt::ObjectRef(std::make_shared<win::Event>(mle->Handle(), os::WM_CHAR, 'A', 1)));
        rt::Send(pane, dispatch, std::span(&typed, 1));
        EXPECT_EQ(mle->Value(), QStringLiteral("A"));
        const Usual other(rt::ObjectRef(std::make_shared<SerialObject>(window_->Port())));
        rt::Assign(pane, device, other);
        EXPECT_EQ(mle->Device(), window_->Port());
    }

    // The window goes first and takes the pane's view along; the pane itself
    // is deleted once, when its last reference goes.
    QPointer<QWidget> view = mle->View();
    QPointer<SerialMLE> alive = mle;
    owner.reset();
    EXPECT_TRUE(view.isNull());
    EXPECT_FALSE(alive.isNull());
    EXPECT_EQ(mle->Value(), QString());
    pane = rt::NIL;
    EXPECT_TRUE(alive.isNull());
}

TEST_F(WSerialTest, KeyboardAloneReachesEveryControlAndRunsATest) {
    PtyPair line;
    ASSERT_TRUE(line.Ok());
    ScopedPortMap ports("Com1", line.Path());
    Open();
    QWidget* top = window_->Widget()->window();
    auto focused = [&] {
        return top->focusWidget() ? top->focusWidget()->objectName().toStdString() : std::string();
    };
    auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(top->focusWidget(), static_cast<Qt::Key>(key), modifiers);
    };
    Find("PortListBox")->setFocus();
    // Tab enters each radio group at its checked button.
    for (const char* name :
         {"BaudListBox", "ParityListBox", "EightButton", "ZeroButton", "CommEdit"}) {
        press(Qt::Key_Tab);
        EXPECT_EQ(focused(), name);
    }
    // Tab is a key of the pane; Ctrl+Tab leaves it. The disabled EndButton
    // is passed over.
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(focused(), "BeginButton");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "ExitButton");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "PortListBox");
    // Arrows move within a group, checking as they go and going round.
    for (int i = 0; i < 3; ++i) press(Qt::Key_Tab);
    ASSERT_EQ(focused(), "EightButton");
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), "SevenButton");
    EXPECT_TRUE(Find<QRadioButton>("SevenButton")->isChecked());
    press(Qt::Key_Left);
    EXPECT_EQ(focused(), "EightButton");
    EXPECT_TRUE(Find<QRadioButton>("EightButton")->isChecked());
    press(Qt::Key_Tab);
    press(Qt::Key_Up);
    EXPECT_EQ(focused(), "TwoButton");
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), "EightButton");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "TwoButton") << "Tab comes back to the group's checked button";

    // Enter on a focused button presses it; the test puts the focus in the
    // pane, where Tab goes to the line and Ctrl+Tab leaves.
    press(Qt::Key_Tab);
    press(Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(focused(), "BeginButton");
    press(Qt::Key_Return);
    ASSERT_TRUE(Enabled("EndButton"));
    EXPECT_EQ(window_->Port()->StopBits(), 2);
    EXPECT_EQ(focused(), "CommEdit");
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), "CommEdit");
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(focused(), "EndButton");
    EXPECT_EQ(line.Receive(2), "\t\x11");
    EXPECT_EQ(line.Receive(1, std::chrono::milliseconds(50)), "") << "Ctrl+Tab is not sent";
    // Space presses it as well.
    press(Qt::Key_Space);
    EXPECT_FALSE(Enabled("EndButton"));
    EXPECT_TRUE(Enabled("BeginButton"));
    Pane()->SetFocus();
    press(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(focused(), "TwoButton");
}

TEST_F(WSerialTest, ExitEndsTheWindowAndQuitsTheApplication) {
    Open();
    bool timedOut = false;
    QTimer::singleShot(0, [&] { Click("ExitButton"); });
    // Only a missing Quit lets this fire.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timedOut = true;
        application_.Quit();
    });
    guard.start(5000);
    QPointer<QWidget> widget = window_->Widget();
    application_.Exec();
    EXPECT_FALSE(timedOut);
    EXPECT_FALSE(widget && widget->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
    EXPECT_EQ(window_->Port(), nullptr);
}

}  // namespace
}  // namespace serialtest
