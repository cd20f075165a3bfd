#include "serialtest/DeviceAwayNotice.h"

#include "platform/serial/Serial.h"
#include "serialtest/DesktopNotification.h"

namespace serialtest {

DeviceAwayNotice::DeviceAwayNotice(serial::Serial* port, QWidget* window)
    : QObject(port), window_(window) {
    connect(port, &serial::Serial::LostChanged, this, &DeviceAwayNotice::OnLostChanged);
}

void DeviceAwayNotice::OnLostChanged(bool lost, const QString& line) {
    QWidget* top = window_ ? window_->window() : nullptr;
    if (lost) {
        if (top && !shown_) {
            title_ = top->windowTitle();
            shown_ = true;
            top->setWindowTitle(title_ + QString::fromUtf16(kSeparator) + line);
        }
    } else if (shown_) {
        if (top) top->setWindowTitle(title_);
        shown_ = false;
    }
    // A close is the user's own doing: nothing to tell.
    if (!line.isEmpty()) DesktopNotification::Send(line);
}

}  // namespace serialtest
