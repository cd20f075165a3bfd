#include "serialtest/SerialMLE.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <memory>

#include "FarEnd.h"
#include "platform/serial/PortMap.h"
#include "serialtest/PaneConstants.h"
#include "serialtest/ReceiveRenderer.h"

namespace {

using serialtest::SerialMLE;
using serialtest::testing::FarEnd;
using serialtest::testing::RunUntil;

QString Rendered(std::string_view bytes) {
    const std::u16string text = serialtest::ReceiveRenderer::Render(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A key press with the native scan code a platform reports for it.
void Press(QWidget* widget, int key, quint32 scanCode, const char16_t* text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0,
                    QString::fromUtf16(text));
    QCoreApplication::sendEvent(widget, &press);
}

// A pane whose port is open on a pseudo-terminal, as the test window leaves
// it after a successful start: empty, focused, notifications on.
class SerialMLETest : public ::testing::Test {
  protected:
    void SetUp() override {
        far = std::make_unique<FarEnd>("Com7");
        ASSERT_TRUE(far->Ok());
        pane = std::make_unique<SerialMLE>();
        pane->View()->resize(400, 200);
        pane->View()->show();
        ASSERT_TRUE(pane->Device()->Open("Com7"));
        pane->Device()->SetBaud(9600);
        pane->Device()->SetParity(0);
        pane->Device()->SetByteSize(8);
        pane->Device()->SetStopBits(0);
        ASSERT_TRUE(pane->Device()->SetProtocol()) << pane->Device()->ErrorDesc();
        pane->SetValue("");
        pane->SetFocus();
    }
    void TearDown() override {
        pane.reset();
        far.reset();
    }
    void EnableEvents() { pane->Device()->EnableEvents(serial::EV_RXCHAR); }
    bool Shows(const QString& text) {
        return RunUntil([&] { return pane->Value() == text; });
    }
    void Notify() { pane->Dispatch(win::Event(pane->Handle(), os::WM_COMMNOTIFY, 0, 0)); }

    std::unique_ptr<FarEnd> far;
    std::unique_ptr<SerialMLE> pane;
};

TEST_F(SerialMLETest, ReceivedBytesShowAsSpecified) {
    EnableEvents();
    struct Case {
        std::string bytes;
        const char* shown;  // UTF-8
    };
    const Case cases[] = {
        {"Hi\r\n", "Hi[13][10]"},
        {std::string("\0\x1f \x7f", 4), "[ 0][31] \x7f"},
        {"\xcf\xf0\xe8\xe2\xe5\xf2", "Привет"},
    };
    for (const auto& c : cases) {
        pane->SetValue("");
        ASSERT_TRUE(far->Send(c.bytes));
        EXPECT_TRUE(Shows(QString::fromUtf8(c.shown))) << pane->Value().toStdString();
    }
}

TEST_F(SerialMLETest, AllByteValuesInOneRun) {
    EnableEvents();
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    ASSERT_TRUE(far->Send(bytes));
    EXPECT_TRUE(Shows(Rendered(bytes)));
}

TEST_F(SerialMLETest, NotificationWithNothingPendingShowsNothing) {
    pane->SetValue("quiet");
    Notify();
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->Value(), "quiet");
    EXPECT_EQ(pane->Device()->ReceiverPending(), 0u);
}

TEST_F(SerialMLETest, ReceivedTextGoesInAtTheCaret) {
    EnableEvents();
    pane->SetValue("<>");
    pane->View()->Model().SetCaret(1);
    ASSERT_TRUE(far->Send("ab"));
    ASSERT_TRUE(Shows("<ab>"));
    ASSERT_TRUE(far->Send("c"));
    EXPECT_TRUE(Shows("<abc>"));
}

TEST_F(SerialMLETest, KeysWriteTheirBytesAndEditThePane) {
    struct Case {
        std::function<void(QWidget*)> press;
        std::string written;
    };
    const Case cases[] = {
        {[](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }, "\r\n"},
        {[](QWidget* w) { QTest::keyClick(w, Qt::Key_Delete); },
         "\x1b"
         "d0"},
        {[](QWidget* w) { QTest::keyClick(w, 'A', Qt::ShiftModifier); },
         "\x10"
         "A"},
        {[](QWidget* w) { QTest::keyClick(w, Qt::Key_F1); }, "\x70"},
        {[](QWidget* w) { QTest::keyClick(w, Qt::Key_Backspace); }, "\b"},
        {[](QWidget* w) { QTest::keyClick(w, '5'); }, "5"},
        // Keys of other layouts, as X11 reports them (XKB keycodes): each
        // sends the code of its place on the US layout.
        {[](QWidget* w) { Press(w, Qt::Key_Odiaeresis, 47, u"ö"); }, "\xBA"},
        {[](QWidget* w) { Press(w, Qt::Key_Ampersand, 10, u"&"); }, "1"},
        {[](QWidget* w) { Press(w, 0x03A3, 39, u"σ"); }, "S"},
    };
    for (const auto& c : cases) {
        c.press(pane->View());
        EXPECT_EQ(far->Receive(c.written.size()), c.written);
    }
    // Enter made a new line, Shift+A was echoed and taken back by
    // Backspace, 5 and the other layouts' characters were echoed; Delete at
    // the end deleted nothing.
    EXPECT_EQ(pane->Value(), QStringLiteral("\n5ö&σ"));
}

TEST_F(SerialMLETest, EnterStartsANewLineAndDeleteDeletesInThePane) {
    pane->SetValue("abc");
    pane->View()->Model().SetCaret(1);
    QTest::keyClick(pane->View(), Qt::Key_Delete);
    EXPECT_EQ(pane->Value(), "ac");
    QTest::keyClick(pane->View(), Qt::Key_Return);
    EXPECT_EQ(pane->Value(), "a\nc");
    EXPECT_EQ(far->Receive(5), std::string("\x1b"
                                           "d0\r\n"));
}

TEST_F(SerialMLETest, AutoRepeatWritesOncePerKeyDown) {
    for (int i = 0; i < 4; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, QString(), i > 0);
        QCoreApplication::sendEvent(pane->View(), &press);
    }
    EXPECT_EQ(far->Receive(4), std::string(4, '\x10'));
    EXPECT_EQ(pane->Value(), "");
}

TEST_F(SerialMLETest, ReceivedTextIsNeverEchoedToThePort) {
    EnableEvents();
    ASSERT_TRUE(far->Send("no echo\r\n"));
    ASSERT_TRUE(Shows("no echo[13][10]"));
    // A key sent now must be the first thing the far end hears.
    QTest::keyClick(pane->View(), Qt::Key_Z);
    EXPECT_EQ(far->Receive(1), "Z");
    EXPECT_EQ(far->Receive(1, std::chrono::milliseconds(50)), "");
}

TEST_F(SerialMLETest, WaitingReceivedTextIsShownBeforeATypedKey) {
    ASSERT_TRUE(far->Send("ab"));
    ASSERT_TRUE(RunUntil([&] { return pane->Device()->ReceiverPending() == 2; }));
    Notify();  // read, but not yet inserted
    EXPECT_EQ(pane->Value(), "");
    QTest::keyClick(pane->View(), 'c');
    EXPECT_EQ(pane->Value(), "abc");
}

TEST_F(SerialMLETest, EmptyingThePaneDropsReceivedTextStillWaiting) {
    ASSERT_TRUE(far->Send("old"));
    ASSERT_TRUE(RunUntil([&] { return pane->Device()->ReceiverPending() == 3; }));
    Notify();
    pane->SetValue("");
    ASSERT_TRUE(far->Send("new"));
    ASSERT_TRUE(RunUntil([&] { return pane->Device()->ReceiverPending() == 3; }));
    Notify();
    EXPECT_TRUE(Shows("new"));
}

TEST_F(SerialMLETest, ALongDrainYieldsAndFinishesLater) {
    const std::size_t total = serialtest::kDrainBudget + 5000;
    std::string bytes(total, 'x');
    bytes.back() = '!';
    ASSERT_TRUE(far->Send(bytes, std::chrono::seconds(10)));
    ASSERT_TRUE(RunUntil([&] { return pane->Device()->ReceiverPending() == total; }));
    Notify();
    // One notification reads no more than its budget...
    EXPECT_EQ(pane->Device()->ReceiverPending(), total - serialtest::kDrainBudget);
    // ...and the notification it posted itself reads the rest.
    ASSERT_TRUE(RunUntil([&] { return pane->Device()->ReceiverPending() == 0; }));
    EXPECT_TRUE(RunUntil([&] { return pane->Value().endsWith("xx!"); }));
}

TEST_F(SerialMLETest, PaneKeepsTheMostRecentText) {
    EnableEvents();
    std::string bytes;
    for (int i = 0; i < 40000; ++i) bytes.push_back(static_cast<char>('a' + i % 26));
    bytes += "\x01";
    ASSERT_TRUE(far->Send(bytes, std::chrono::seconds(10)));
    const QString expected =
        Rendered(bytes).right(static_cast<qsizetype>(serialtest::kPaneTextCap));
    EXPECT_TRUE(Shows(expected));
    EXPECT_EQ(pane->Value().size(), static_cast<qsizetype>(serialtest::kPaneTextCap));
}

TEST_F(SerialMLETest, KeyWhileClosedWritesNothingAndBreaksNothing) {
    pane->Device()->Close();
    QTest::keyClick(pane->View(), Qt::Key_Q);
    QTest::keyClick(pane->View(), Qt::Key_Return);
    EXPECT_EQ(pane->Value(), "q\n");
    ASSERT_TRUE(pane->Device()->Open("Com7"));
    QTest::keyClick(pane->View(), Qt::Key_W);
    // Only the key pressed after reopening reaches the line.
    EXPECT_EQ(far->Receive(1), "W");
    EXPECT_EQ(far->Receive(1, std::chrono::milliseconds(50)), "");
}

TEST_F(SerialMLETest, LostDeviceKeepsThePaneUsable) {
    EnableEvents();
    ASSERT_TRUE(far->Send("last words"));
    ASSERT_TRUE(Shows("last words"));
    far->Close();
    ASSERT_TRUE(RunUntil([&] { return pane->Device()->IsLost(); }));
    QTest::keyClick(pane->View(), Qt::Key_K);
    Notify();
    QCoreApplication::processEvents();
    // The key went nowhere, so the pane does not show it as sent.
    EXPECT_EQ(pane->Value(), "last words");
    pane->Device()->Close();
    EXPECT_FALSE(pane->Device()->IsOpen());
}

TEST(SerialMLEDevice, IgnoresAValueThatIsNotASerial) {
    SerialMLE pane;
    serial::Serial* own = pane.Device();
    ASSERT_NE(own, nullptr);
    EXPECT_FALSE(own->IsOpen());
    QObject notAPort;
    EXPECT_EQ(pane.SetDevice(&notAPort), own);
    EXPECT_EQ(pane.SetDevice(nullptr), own);
    EXPECT_EQ(pane.Device(), own);
    serial::Serial other(pane.Handle());
    EXPECT_EQ(pane.SetDevice(&other), &other);
    EXPECT_EQ(pane.Device(), &other);
}

TEST(SerialMLEDevice, OpenFailuresAnswerFalse) {
    SerialMLE pane;
    FarEnd held("Com8");
    ASSERT_TRUE(held.Ok());
    SerialMLE first;
    ASSERT_TRUE(first.Device()->Open("Com8"));
    EXPECT_FALSE(pane.Device()->Open("Com8")) << "a device another port holds";
    serial::PortMap map;
    ASSERT_TRUE(map.AddMapping("Com5=/dev/no-such-device"));
    ASSERT_TRUE(map.AddMapping("Com6=/dev/null"));
    serial::PortMap::Install(std::move(map));
    EXPECT_FALSE(pane.Device()->Open("Com5")) << "a missing device";
    EXPECT_FALSE(pane.Device()->Open("Com6")) << "not a terminal";
    EXPECT_FALSE(pane.Device()->IsOpen());
}

TEST(SerialMLELoopback, TypedKeysComeBackAsReceivedText) {
    serial::PortMap map;
    ASSERT_TRUE(map.AddMapping("Com9=loop"));
    serial::PortMap::Install(std::move(map));
    SerialMLE pane;
    ASSERT_TRUE(pane.Device()->Open("Com9"));
    pane.Device()->EnableEvents(serial::EV_RXCHAR);
    QTest::keyClick(pane.View(), Qt::Key_Return);
    // The local new line, then the echoed CR LF rendered as text after it.
    EXPECT_TRUE(RunUntil([&] { return pane.Value() == "\n[13][10]"; }))
        << pane.Value().toStdString();
    pane.Device()->Close();
    serial::PortMap::Install(serial::PortMap());
}

}  // namespace
