#pragma once
// Stand-ins for the platform's system-menu calls. Every top-level window
// that registers a window handle can have a system menu: the standard seven
// items (Restore, Move, Size, Minimize, Maximize, a separator, Close), each
// enabled at first. The window layer consults item 6 (Close) before it lets
// a top-level window close.

#include <cstdint>

#include "platform/os/PostedMessage.h"

namespace os {

using HMENU = std::uintptr_t;  // 0 is no menu

inline constexpr std::uint32_t MF_ENABLED = 0x0000;
inline constexpr std::uint32_t MF_GRAYED = 0x0001;
inline constexpr std::uint32_t MF_DISABLED = 0x0002;
inline constexpr std::uint32_t MF_BYPOSITION = 0x0400;

// Position of the Close item in the standard system menu.
inline constexpr std::uint32_t kSystemMenuClose = 6;
inline constexpr std::uint32_t kSystemMenuItems = 7;

// The window's own system menu (created on first request). With `revert`
// TRUE the menu is reset to its standard state and 0 is returned, as the
// platform does. 0 for a handle that names no window.
HMENU GetSystemMenu(HWND hwnd, bool revert);

// Sets the state of one item (only by position here: MF_BYPOSITION must be
// in `flags`). Returns the item's previous state (MF_ENABLED, MF_GRAYED or
// MF_DISABLED), or 0xFFFFFFFF when the menu or the item does not exist.
std::uint32_t EnableMenuItem(HMENU menu, std::uint32_t position, std::uint32_t flags);

// The item's current state; 0xFFFFFFFF when the menu or item does not exist.
std::uint32_t GetMenuState(HMENU menu, std::uint32_t position, std::uint32_t flags);

// TRUE when the window's system menu exists and its Close item is greyed or
// disabled: a window in that state must not close.
bool IsSystemCloseDisabled(HWND hwnd);

}  // namespace os
