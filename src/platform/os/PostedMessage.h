#pragma once
// Window handles and posted messages: the stand-in for the platform's
// PostMessageA. A posted message is queued behind everything already queued
// and handled after the current event returns, in the order posted.

#include <QEvent>
#include <QObject>
#include <cstdint>

namespace os {

using HWND = std::uintptr_t;  // 0 is no window
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;

// Message numbers the system uses.
inline constexpr std::uint32_t WM_COMMNOTIFY = 0x0044;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_CHAR = 0x0102;

struct Msg {
    HWND hwnd = 0;
    std::uint32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// The Qt event that carries a posted message to its window's receiver.
class PostedMessageEvent : public QEvent {
  public:
    explicit PostedMessageEvent(const Msg& msg);
    static QEvent::Type EventType();
    const Msg& message() const { return msg_; }

  private:
    Msg msg_;
};

// Gives `receiver` a new window handle. The receiver's event() gets a
// PostedMessageEvent for each message posted to the handle. The handle is
// released when the receiver is destroyed or by ReleaseWindowHandle.
HWND RegisterWindowHandle(QObject* receiver);
void ReleaseWindowHandle(HWND hwnd);
// The receiver of a handle, or nullptr for a handle that names no window.
QObject* WindowFromHandle(HWND hwnd);

// Queues a message for the window; FALSE when the handle names no window.
// Callable from any thread; the message is handled on the receiver's thread.
bool PostMessageA(HWND hwnd, std::uint32_t message, WPARAM wParam, LPARAM lParam);

}  // namespace os
