#include "platform/os/MessageBoxA.h"

#include <atomic>
#include <iostream>

namespace os {
namespace {

std::atomic<MessageBoxPresenter>& Presenter() {
    static std::atomic<MessageBoxPresenter> presenter{nullptr};
    return presenter;
}

}  // namespace

int MessageBoxA(HWND owner, const char* text, const char* caption, std::uint32_t style) {
    if (text == nullptr) text = "";
    if (caption == nullptr) caption = "";
    if (const auto presenter = Presenter().load()) return presenter(owner, text, caption, style);
    std::cerr << caption << ": " << text << std::endl;
    return IDOK;
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
    return Presenter().exchange(presenter);
}

}  // namespace os
