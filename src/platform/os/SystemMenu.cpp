#include "platform/os/SystemMenu.h"

#include <QObject>
#include <QPointer>
#include <array>

namespace os {
namespace {

constexpr std::uint32_t kNoItem = 0xFFFFFFFF;
constexpr std::uint32_t kStateMask = MF_GRAYED | MF_DISABLED;
constexpr char kMenuObjectName[] = "os.systemMenu";

// The menu lives as a child object of the window's receiver, so it goes away
// with the window and its handle is released with it.
class SystemMenuObject : public QObject {
  public:
    explicit SystemMenuObject(QObject* window) : QObject(window) {
        setObjectName(kMenuObjectName);
        handle = RegisterWindowHandle(this);
        items.fill(MF_ENABLED);
    }
    HMENU handle = 0;
    std::array<std::uint32_t, kSystemMenuItems> items{};
};

SystemMenuObject* MenuOf(QObject* window, bool create) {
    if (!window) return nullptr;
    auto* menu = window->findChild<SystemMenuObject*>(kMenuObjectName, Qt::FindDirectChildrenOnly);
    if (!menu && create) menu = new SystemMenuObject(window);
    return menu;
}

SystemMenuObject* MenuFromHandle(HMENU menu) {
    return dynamic_cast<SystemMenuObject*>(WindowFromHandle(menu));
}

}  // namespace

HMENU GetSystemMenu(HWND hwnd, bool revert) {
    auto* menu = MenuOf(WindowFromHandle(hwnd), true);
    if (!menu) return 0;
    if (revert) {
        menu->items.fill(MF_ENABLED);
        return 0;
    }
    return menu->handle;
}

std::uint32_t EnableMenuItem(HMENU menu, std::uint32_t position, std::uint32_t flags) {
    auto* object = MenuFromHandle(menu);
    if (!object || !(flags & MF_BYPOSITION) || position >= kSystemMenuItems) return kNoItem;
    const std::uint32_t previous = object->items[position];
    object->items[position] = flags & kStateMask;
    return previous;
}

std::uint32_t GetMenuState(HMENU menu, std::uint32_t position, std::uint32_t flags) {
    auto* object = MenuFromHandle(menu);
    if (!object || !(flags & MF_BYPOSITION) || position >= kSystemMenuItems) return kNoItem;
    return object->items[position];
}

bool IsSystemCloseDisabled(HWND hwnd) {
    const auto* menu = MenuOf(WindowFromHandle(hwnd), false);
    return menu && (menu->items[kSystemMenuClose] & kStateMask) != 0;
}

}  // namespace os
