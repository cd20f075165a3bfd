#pragma once
// The window library's multi-line edit control. It is a window with a handle
// of its own: messages posted to Handle() and the key presses made in its
// view reach Dispatch as events, and Dispatch gives them the edit control's
// ordinary handling. Subclasses override Dispatch and call the base first.
//
// Message handling of the base Dispatch:
//   WM_KEYDOWN  the key's ordinary handling (typed text echoed at the caret,
//               Enter starts a new line, Delete and Backspace delete, arrows
//               move the caret); a key-down without a keyboard event behind
//               it (posted) moves the caret or deletes for the navigation
//               keys and Delete only.
//   WM_CHAR     inserts the character at the caret, replacing the selection,
//               and scrolls to it. wParam 0..255 is a code of the program's
//               code page (Windows-1251), larger values a UTF-16 unit; 8 is
//               Backspace, 13 a new line, other codes below 32 do nothing.
//   any other   nothing.
// Every Dispatch answers 0.
//
// Each key press in the view, auto-repeats included, becomes a WM_KEYDOWN
// whose wParam is the key's virtual-key code (VirtualKeys.h; every key has
// one) and whose lParam holds a repeat count of 1, the scan code and the
// was-down bit.
//
// Keyboard focus: Tab and Shift+Tab are keys of the pane like any other;
// Ctrl+Tab and Ctrl+Shift+Tab move the focus to the next or previous control
// of the window, as a multi-line edit control in a dialog does.

#include <QObject>
#include <QPointer>
#include <QString>

#include "platform/os/PostedMessage.h"
#include "platform/runtime/Usual.h"
#include "platform/window/Event.h"
#include "platform/window/TextPaneView.h"

class QColor;
class QWidget;

namespace win {

class MultiLineEdit : public QObject, public rt::Object {
    Q_OBJECT
  public:
    // Creates the control's view as a child of `parent` (top-level when
    // nullptr). The control is a child of `parent` too and deletes its view
    // when it goes.
    explicit MultiLineEdit(QWidget* parent = nullptr);
    ~MultiLineEdit() override;

    virtual LRESULT Dispatch(const Event& event);

    std::string ClassName() const override { return "MULTILINEEDIT"; }

    // The control's window handle, to which messages can be posted.
    os::HWND Handle() const { return hwnd_; }
    // The view; nullptr once it has been destroyed with its parent.
    TextPaneView* View() const { return view_.data(); }

    // The whole text. Writing it replaces the text ("" empties the pane) and
    // puts the caret at the start.
    QString Value() const;
    virtual void SetValue(const QString& text);

    // Font face, point size and weight of the pane's monospace text. The face
    // is a name as the program gives it ("Courier New"), resolved and sized
    // to the desktop's faces as Font does.
    void SetFont(const QString& face, int pointSize, bool bold);
    void SetBackground(const QColor& color);
    void SetTextColor(const QColor& color);

    void SetFocus();
    void Enable();
    void Disable();
    bool IsEnabled() const;

  protected:
    bool event(QEvent* event) override;

  private:
    void KeyPressed(QKeyEvent& key);
    void ApplyChar(os::WPARAM code);
    void ApplyVirtualKey(os::WPARAM code);

    QPointer<TextPaneView> view_;
    os::HWND hwnd_ = 0;
};

}  // namespace win
