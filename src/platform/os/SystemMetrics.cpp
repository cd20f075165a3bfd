#include "platform/os/SystemMetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace os {
namespace {

// The override of the screen size: the platform's "display settings", which
// the screen guard changes for a test and restores.
struct ScreenSetting {
    bool active = false;
    int width = 0;
    int height = 0;
};

ScreenSetting& Setting() {
    static ScreenSetting setting;
    return setting;
}

}  // namespace

ScreenSizeOverride::ScreenSizeOverride(int width, int height) {
    auto& setting = Setting();
    if (setting.active) previous_ = Size{setting.width, setting.height};
    setting = ScreenSetting{true, width, height};
}

ScreenSizeOverride::~ScreenSizeOverride() {
    auto& setting = Setting();
    setting =
        previous_ ? ScreenSetting{true, previous_->width, previous_->height} : ScreenSetting{};
}

int GetSystemMetrics(int index) {
    if (index != SM_CXSCREEN && index != SM_CYSCREEN) return 0;
    const auto& setting = Setting();
    if (setting.active) return index == SM_CXSCREEN ? setting.width : setting.height;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 0;
    const QSize size = screen->geometry().size();
    return index == SM_CXSCREEN ? size.width() : size.height();
}

}  // namespace os
