#include "platform/window/MultiLineEdit.h"

#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QWidget>

#include "platform/window/CodePage1251.h"
#include "platform/window/Font.h"
#include "platform/window/VirtualKeys.h"

namespace win {

MultiLineEdit::MultiLineEdit(QWidget* parent)
    : QObject(parent), view_(new TextPaneView(parent)), hwnd_(os::RegisterWindowHandle(this)) {
    view_->SetKeyHandler([this](QKeyEvent& key) { KeyPressed(key); });
}

MultiLineEdit::~MultiLineEdit() {
    os::ReleaseWindowHandle(hwnd_);
    delete view_.data();
}

bool MultiLineEdit::event(QEvent* event) {
    if (event->type() == os::PostedMessageEvent::EventType()) {
        const os::Msg& msg = static_cast<os::PostedMessageEvent*>(event)->message();
        Dispatch(Event(msg.hwnd, msg.message, msg.wParam, msg.lParam));
        return true;
    }
    return QObject::event(event);
}

void MultiLineEdit::KeyPressed(QKeyEvent& key) {
#ifdef Q_OS_LINUX
    // Qt's X11 and Wayland platforms report XKB keycodes and keysyms, which
    // tell where the key sits (VirtualKeyFromQt).
    const std::uint32_t position = key.nativeScanCode();
    const std::uint32_t keysym = key.nativeVirtualKey();
#else
    const std::uint32_t position = 0;
    const std::uint32_t keysym = 0;
#endif
    const std::uint32_t code = VirtualKeyFromQt(key.key(), key.modifiers(), position, keysym);
    const os::LPARAM lParam = kKeyRepeatCount |
                              static_cast<os::LPARAM>((key.nativeScanCode() & 0xFF) << 16) |
                              (key.isAutoRepeat() ? kKeyWasDown : 0);
    Dispatch(Event(hwnd_, os::WM_KEYDOWN, code, lParam, &key));
}

LRESULT MultiLineEdit::Dispatch(const Event& event) {
    if (!view_) return 0;
    switch (event.Message()) {
        case os::WM_KEYDOWN:
            if (event.KeyEvent())
                view_->ApplyKey(*event.KeyEvent());
            else
                ApplyVirtualKey(event.wParam());
            break;
        case os::WM_CHAR:
            ApplyChar(event.wParam());
            break;
        default:
            break;
    }
    return 0;
}

void MultiLineEdit::ApplyChar(os::WPARAM code) {
    if (code == VK_BACK) {
        view_->Model().Backspace();
        view_->ModelChanged();
    } else if (code == VK_RETURN) {
        view_->InsertText(u"\n");
    } else if (code >= 0x20 && code <= 0xFFFF) {
        const char16_t c = code <= 0xFF ? Cp1251ToUnicode(static_cast<std::uint8_t>(code))
                                        : static_cast<char16_t>(code);
        view_->InsertText(QStringView(&c, 1));
    }
}

void MultiLineEdit::ApplyVirtualKey(os::WPARAM code) {
    TextPaneModel& model = view_->Model();
    switch (code) {
        case VK_LEFT:
            model.MoveLeft(false);
            break;
        case VK_RIGHT:
            model.MoveRight(false);
            break;
        case VK_UP:
            model.MoveUp(false);
            break;
        case VK_DOWN:
            model.MoveDown(false);
            break;
        case VK_HOME:
            model.MoveRowStart(false);
            break;
        case VK_END:
            model.MoveRowEnd(false);
            break;
        case VK_PRIOR:
            model.MoveUp(false, view_->VisibleRows());
            break;
        case VK_NEXT:
            model.MoveDown(false, view_->VisibleRows());
            break;
        case VK_DELETE:
            model.DeleteForward();
            break;
        default:
            return;
    }
    view_->ModelChanged();
}

QString MultiLineEdit::Value() const {
    return view_ ? view_->Model().Text() : QString();
}

void MultiLineEdit::SetValue(const QString& text) {
    if (!view_) return;
    view_->Model().SetText(text);
    view_->ModelChanged();
}

void MultiLineEdit::SetFont(const QString& face, int pointSize, bool bold) {
    if (!view_) return;
    win::Font paneFont(0, pointSize, face.toStdString());
    paneFont.Bold(bold);
    QFont font = paneFont.ToQFont();
    // A face that is missing falls back to some monospace face, never to a
    // proportional one: the view lays text out in fixed columns.
    font.setStyleHint(QFont::TypeWriter, QFont::PreferMatch);
    font.setFixedPitch(true);
    view_->SetPaneFont(font);
}

void MultiLineEdit::SetBackground(const QColor& color) {
    if (view_) view_->SetBackgroundColor(color);
}

void MultiLineEdit::SetTextColor(const QColor& color) {
    if (view_) view_->SetTextColor(color);
}

void MultiLineEdit::SetFocus() {
    if (view_) view_->setFocus(Qt::OtherFocusReason);
}

void MultiLineEdit::Enable() {
    if (view_) view_->setEnabled(true);
}

void MultiLineEdit::Disable() {
    if (view_) view_->setEnabled(false);
}

bool MultiLineEdit::IsEnabled() const {
    return view_ && view_->isEnabled();
}

}  // namespace win
