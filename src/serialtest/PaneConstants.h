#pragma once
// The receive pane's fixed values: the bytes it writes for the keys that
// send more than their code, the text it keeps and how often received text
// is inserted while a flood lasts.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/os/PostedMessage.h"
#include "platform/window/TextPaneModel.h"

namespace serialtest {

inline constexpr os::WPARAM kKeyEnter = 13;   // VK_RETURN
inline constexpr os::WPARAM kKeyDelete = 46;  // VK_DELETE
inline constexpr std::string_view kEnterBytes{"\r\n", 2};
inline constexpr std::string_view kDeleteBytes{
    "\x1b"
    "d0",
    3};

// The pane's colours, indices into the window layer's palette: navy text on
// pale grey.
inline constexpr std::uint32_t kPaneBackground = 7;
inline constexpr std::uint32_t kPaneText = 1;

// The pane keeps the most recent characters up to the classic edit
// control's limit, its view's own cap.
inline constexpr std::size_t kPaneTextCap = win::TextPaneModel::kDefaultCap;
// Received text is inserted at most this often while data keeps coming.
inline constexpr std::chrono::milliseconds kInsertInterval{15};
// Bytes read in one notification before the pane lets other events run;
// the rest is read on a notification it posts to itself.
inline constexpr std::size_t kDrainBudget = 64 * 1024;

}  // namespace serialtest
