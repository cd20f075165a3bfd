#pragma once
// The platform's plain message box. Which window system shows it is decided
// by the presenter installed: the error system installs one that shows a
// real box; until then (and in programs without a window system) the box is
// written to standard error as "caption: text".

#include <cstdint>

#include "platform/os/PostedMessage.h"

namespace os {

inline constexpr std::uint32_t MB_OK = 0x00000000;
inline constexpr int IDOK = 1;

// Shows `text` under `caption`; returns the button pressed (IDOK for the
// plain OK style). Null texts count as empty.
int MessageBoxA(HWND owner, const char* text, const char* caption, std::uint32_t style);

using MessageBoxPresenter = int (*)(HWND owner, const char* text, const char* caption,
                                    std::uint32_t style);
// Installs the presenter (null: standard error); returns the previous one.
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);

}  // namespace os
