#include "platform/window/MultiLineEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/window/VirtualKeys.h"

namespace {

struct Seen {
    std::uint32_t message;
    os::WPARAM wParam;
    os::LPARAM lParam;
    QString textBefore;  // the pane's text when Dispatch was entered
};

// Records every event that reaches Dispatch, then lets the base handle it.
class RecordingEdit : public win::MultiLineEdit {
  public:
    using MultiLineEdit::MultiLineEdit;
    win::LRESULT Dispatch(const win::Event& event) override {
        seen.push_back({event.Message(), event.wParam(), event.lParam(), Value()});
        return MultiLineEdit::Dispatch(event);
    }
    std::vector<os::WPARAM> KeyDowns() const {
        std::vector<os::WPARAM> codes;
        for (const auto& s : seen)
            if (s.message == os::WM_KEYDOWN) codes.push_back(s.wParam);
        return codes;
    }
    std::vector<Seen> seen;
};

class MultiLineEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        edit = std::make_unique<RecordingEdit>();
        view = edit->View();
        edit->SetFont("Courier New", 10, true);
        view->resize(320, 160);
        view->show();
        edit->SetFocus();
    }
    static void Drain() { QCoreApplication::processEvents(); }

    std::unique_ptr<RecordingEdit> edit;
    win::TextPaneView* view = nullptr;
};

TEST_F(MultiLineEditTest, KeyPressesBecomeKeyDownsWithVirtualKeyCodes) {
    QTest::keyClick(view, 'A', Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_5);
    QTest::keyClick(view, Qt::Key_F1);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(edit->KeyDowns(), (std::vector<os::WPARAM>{16, 65, 53, 112, 32}));
    EXPECT_EQ(edit->Value(), "A5 ");
    for (const auto& s : edit->seen) EXPECT_EQ(s.lParam & 0xFFFF, 1) << "repeat count";
}

TEST_F(MultiLineEditTest, AutoRepeatSendsAKeyDownEachTime) {
    for (int i = 0; i < 3; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b", i > 0);
        QApplication::sendEvent(view, &press);
    }
    ASSERT_EQ(edit->KeyDowns(), (std::vector<os::WPARAM>{66, 66, 66}));
    EXPECT_EQ(edit->seen[0].lParam & win::kKeyWasDown, 0);
    EXPECT_NE(edit->seen[1].lParam & win::kKeyWasDown, 0);
    EXPECT_NE(edit->seen[2].lParam & win::kKeyWasDown, 0);
    EXPECT_EQ(edit->Value(), "bbb");
}

TEST(MultiLineEditFocus, TabStaysInThePaneAsAKeyAndCtrlTabLeavesIt) {
    QWidget window;
    QWidget previous(&window);
    RecordingEdit edit(&window);
    QWidget next(&window);
    previous.setFocusPolicy(Qt::StrongFocus);
    next.setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(&previous, edit.View());
    QWidget::setTabOrder(edit.View(), &next);
    edit.SetFocus();
    ASSERT_EQ(window.focusWidget(), edit.View());
    QTest::keyClick(edit.View(), Qt::Key_Tab);
    QTest::keyClick(edit.View(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(edit.KeyDowns(), (std::vector<os::WPARAM>{9, 16, 9}));
    EXPECT_EQ(window.focusWidget(), edit.View());
    EXPECT_EQ(edit.Value(), "");

    // Ctrl goes to the line as a key; the Tab with it moves the focus.
    edit.seen.clear();
    QTest::keyClick(edit.View(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window.focusWidget(), &next);
    edit.SetFocus();
    QTest::keyClick(edit.View(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.focusWidget(), &previous);
    const auto keyDowns = edit.KeyDowns();
    EXPECT_EQ(std::count(keyDowns.begin(), keyDowns.end(), os::WPARAM{9}), 0);
    EXPECT_EQ(std::count(keyDowns.begin(), keyDowns.end(), os::WPARAM{17}), 2);
}

TEST_F(MultiLineEditTest, OrdinaryEditingKeys) {
    QTest::keyClicks(view, "abc");
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClicks(view, "de");
    EXPECT_EQ(edit->Value(), "abc\nde");
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Delete);  // caret at column 2 of "abc"
    EXPECT_EQ(edit->Value(), "ab\nde");
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(edit->Value(), "a\nde");
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(view, "X");
    EXPECT_EQ(edit->Value(), "a\nX");
    // Every press, modifiers included, was a key-down.
    EXPECT_EQ(edit->KeyDowns().size(), 16u);
}

TEST_F(MultiLineEditTest, ControlLettersAreSentButNotTyped) {
    QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(edit->KeyDowns(), (std::vector<os::WPARAM>{17, 71}));
    EXPECT_EQ(edit->Value(), "");
}

TEST_F(MultiLineEditTest, PostedCharactersArriveInOrderAfterTheCurrentEvent) {
    edit->SetValue("<>");
    edit->View()->Model().SetCaret(1);
    for (char c : {'o', 'k'}) ASSERT_TRUE(os::PostMessageA(edit->Handle(), os::WM_CHAR, c, 1));
    EXPECT_EQ(edit->Value(), "<>");  // nothing handled yet
    Drain();
    EXPECT_EQ(edit->Value(), "<ok>");
    EXPECT_EQ(edit->View()->Model().Caret(), 3);
}

TEST_F(MultiLineEditTest, CharacterMessagesActAsTyping) {
    struct Case {
        std::vector<os::WPARAM> codes;
        QString expected;
    };
    const Case cases[] = {
        {{'a', 'b', 8, 'c'}, "ac"},
        {{'a', 13, 'b'}, "a\nb"},
        {{0xC0, 0xFF, 0xA8, 0xB9}, QString::fromUtf8("АяЁ№")},
        {{0x0416, 'x'}, QString::fromUtf8("Жx")},
        {{1, 27, 'z'}, "z"},
        {{127}, QString(QChar(127))},
    };
    for (const auto& c : cases) {
        edit->SetValue("");
        for (auto code : c.codes) edit->Dispatch(win::Event(edit->Handle(), os::WM_CHAR, code, 1));
        EXPECT_EQ(edit->Value(), c.expected);
    }
}

TEST_F(MultiLineEditTest, CharacterReplacesTheSelection) {
    edit->SetValue("hello");
    view->Model().SetCaret(1);
    view->Model().SetCaret(4, true);
    edit->Dispatch(win::Event(edit->Handle(), os::WM_CHAR, 'E', 1));
    EXPECT_EQ(edit->Value(), "hEo");
}

TEST_F(MultiLineEditTest, PostedKeyDownsMoveAndDeleteOnly) {
    edit->SetValue("abc");
    edit->Dispatch(win::Event(edit->Handle(), os::WM_KEYDOWN, win::VK_DELETE, 1));
    EXPECT_EQ(edit->Value(), "bc");
    edit->Dispatch(win::Event(edit->Handle(), os::WM_KEYDOWN, win::VK_RIGHT, 1));
    edit->Dispatch(win::Event(edit->Handle(), os::WM_KEYDOWN, 'Q', 1));
    edit->Dispatch(win::Event(edit->Handle(), os::WM_KEYDOWN, win::VK_DELETE, 1));
    EXPECT_EQ(edit->Value(), "b");
}

TEST_F(MultiLineEditTest, OtherMessagesChangeNothing) {
    edit->SetValue("keep");
    for (std::uint32_t message : {os::WM_COMMNOTIFY, 0x0101u, 0x0400u})
        EXPECT_EQ(edit->Dispatch(win::Event(edit->Handle(), message, 'x', 1)), 0);
    EXPECT_EQ(edit->Value(), "keep");
}

TEST_F(MultiLineEditTest, ValueWriteReplacesAndEmpties) {
    QTest::keyClicks(view, "typed");
    edit->SetValue("new text");
    EXPECT_EQ(edit->Value(), "new text");
    EXPECT_EQ(view->Model().Caret(), 0);
    edit->SetValue("");
    EXPECT_TRUE(edit->Value().isEmpty());
    QTest::keyClicks(view, "x");
    EXPECT_EQ(edit->Value(), "x");
}

TEST_F(MultiLineEditTest, MouseSelectionAndCopy) {
    edit->SetValue("copy me please");
    const QFontMetricsF metrics(view->font());
    const qreal cw = metrics.horizontalAdvance('M');
    const int y = 2 + static_cast<int>(metrics.height() / 2);
    QWidget* port = view->viewport();
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(2 + static_cast<int>(cw * 5), y));
    QMouseEvent move(QEvent::MouseMove, QPointF(2 + cw * 7, y),
                     port->mapToGlobal(QPointF(2 + cw * 7, y)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(port, &move);
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(2 + static_cast<int>(cw * 7), y));
    EXPECT_EQ(view->Model().SelectedText(), "me");
    QApplication::clipboard()->clear();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "me");
    EXPECT_EQ(edit->Value(), "copy me please");
    // Shift+click extends to the end of the word "please".
    QTest::mouseClick(port, Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(2 + static_cast<int>(cw * 14), y));
    EXPECT_EQ(view->Model().SelectedText(), "me please");
}

TEST_F(MultiLineEditTest, CutAndPasteThroughTheClipboard) {
    edit->SetValue("one two");
    view->Model().SetCaret(3);
    view->Model().SetCaret(7, true);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit->Value(), "one");
    view->Model().SetCaret(0);
    QApplication::clipboard()->setText("a\r\nb ");
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Value(), "a\nb one");
}

TEST_F(MultiLineEditTest, ScrollsToTheCaretAsTextArrives) {
    for (int i = 0; i < 200; ++i) edit->Dispatch(win::Event(edit->Handle(), os::WM_CHAR, 13, 1));
    const int last = view->Model().RowCount() - 1;
    EXPECT_EQ(last, 200);
    EXPECT_LE(view->FirstVisibleRow(), last);
    EXPECT_GT(view->FirstVisibleRow() + view->VisibleRows(), last);
    EXPECT_EQ(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
}

TEST_F(MultiLineEditTest, HandleIsReleasedWithTheControl) {
    const os::HWND hwnd = edit->Handle();
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(os::WindowFromHandle(hwnd), edit.get());
    edit.reset();
    EXPECT_EQ(os::WindowFromHandle(hwnd), nullptr);
    EXPECT_FALSE(os::PostMessageA(hwnd, os::WM_CHAR, 'a', 1));
}

TEST(MultiLineEditOwnership, DiesWithItsParentWindow) {
    auto parent = std::make_unique<QWidget>();
    auto* edit = new win::MultiLineEdit(parent.get());
    const os::HWND hwnd = edit->Handle();
    QPointer<win::TextPaneView> view = edit->View();
    EXPECT_EQ(view->parentWidget(), parent.get());
    parent.reset();
    EXPECT_TRUE(view.isNull());
    EXPECT_EQ(os::WindowFromHandle(hwnd), nullptr);
}

TEST(MultiLineEditAppearance, FontColoursAndEnabling) {
    win::MultiLineEdit edit;
    edit.SetFont("Courier New", 10, true);
    EXPECT_EQ(edit.View()->font().pointSize(), 10);
    EXPECT_TRUE(edit.View()->font().bold());
    EXPECT_TRUE(QFontInfo(edit.View()->font()).fixedPitch());
    edit.SetBackground(QColor(0, 0, 128));
    edit.SetTextColor(QColor(255, 255, 0));
    EXPECT_EQ(edit.View()->BackgroundColor(), QColor(0, 0, 128));
    EXPECT_EQ(edit.View()->TextColor(), QColor(255, 255, 0));
    edit.Disable();
    EXPECT_FALSE(edit.IsEnabled());
    edit.Enable();
    EXPECT_TRUE(edit.IsEnabled());
}

}  // namespace
