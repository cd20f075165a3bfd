#pragma once
// The event object a window's Dispatch receives: one platform message with
// its number (Message), wParam and lParam, addressed to a window handle. It
// is a late-bound object, so a late-bound Dispatch can tell it from any
// other value.

#include <cstdint>

#include "platform/os/PostedMessage.h"
#include "platform/runtime/Usual.h"

class QKeyEvent;

namespace win {

// What a Dispatch answers for a message.
using LRESULT = std::intptr_t;

// Bits of a key-down's lParam: the repeat count in bits 0..15, the scan code
// in bits 16..23 and, in bit 30, whether the key was already down (an
// auto-repeat).
inline constexpr os::LPARAM kKeyRepeatCount = 1;
inline constexpr os::LPARAM kKeyWasDown = os::LPARAM{1} << 30;

class Event : public rt::Object {
  public:
    Event(os::HWND hwnd, std::uint32_t message, os::WPARAM wParam, os::LPARAM lParam,
          const QKeyEvent* key = nullptr)
        : hwnd_(hwnd), message_(message), wParam_(wParam), lParam_(lParam), key_(key) {}

    os::HWND Handle() const { return hwnd_; }
    std::uint32_t Message() const { return message_; }
    os::WPARAM wParam() const { return wParam_; }
    os::LPARAM lParam() const { return lParam_; }
    // The keyboard event behind a key-down typed by the operator, so that the
    // edit control's ordinary handling sees the key's text and modifiers;
    // nullptr for posted and synthetic messages. Valid during Dispatch only.
    const QKeyEvent* KeyEvent() const { return key_; }

    std::string ClassName() const override { return "EVENT"; }

  private:
    os::HWND hwnd_;
    std::uint32_t message_;
    os::WPARAM wParam_;
    os::LPARAM lParam_;
    const QKeyEvent* key_;
};

}  // namespace win
