#include "platform/os/PostedMessage.h"

#include <QCoreApplication>
#include <QPointer>
#include <mutex>
#include <unordered_map>

namespace os {
namespace {

// Handle table shared by the GUI thread and the threads that post.
struct HandleTable {
    std::mutex mutex;
    std::unordered_map<HWND, QPointer<QObject>> receivers;
    HWND next = 0x1000;
};

HandleTable& Handles() {
    static HandleTable table;
    return table;
}

}  // namespace

PostedMessageEvent::PostedMessageEvent(const Msg& msg) : QEvent(EventType()), msg_(msg) {}

QEvent::Type PostedMessageEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

HWND RegisterWindowHandle(QObject* receiver) {
    auto& table = Handles();
    HWND hwnd = 0;
    {
        std::lock_guard lock(table.mutex);
        hwnd = table.next;
        table.next += 4;
        table.receivers.emplace(hwnd, receiver);
    }
    QObject::connect(receiver, &QObject::destroyed, [hwnd] { ReleaseWindowHandle(hwnd); });
    return hwnd;
}

void ReleaseWindowHandle(HWND hwnd) {
    auto& table = Handles();
    std::lock_guard lock(table.mutex);
    table.receivers.erase(hwnd);
}

QObject* WindowFromHandle(HWND hwnd) {
    auto& table = Handles();
    std::lock_guard lock(table.mutex);
    auto it = table.receivers.find(hwnd);
    return it == table.receivers.end() ? nullptr : it->second.data();
}

bool PostMessageA(HWND hwnd, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    auto& table = Handles();
    std::lock_guard lock(table.mutex);
    auto it = table.receivers.find(hwnd);
    if (it == table.receivers.end() || it->second.isNull()) return false;
    // postEvent takes ownership and keeps posting order per receiver.
    QCoreApplication::postEvent(it->second.data(),
                                new PostedMessageEvent(Msg{hwnd, message, wParam, lParam}));
    return true;
}

}  // namespace os
