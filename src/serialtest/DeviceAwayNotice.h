#pragma once
// Makes a lost device and its return visible on the desktop, where a user
// started from the menu has no terminal to read standard error on: while the
// port's device is away the window's title ends in the line that reported it
// ("DataWindow Caption — Com1 (/dev/ttyUSB0): device lost"), and the loss
// and the return each raise a desktop notification (DesktopNotification).
// The window's controls and texts stay as they are. The title comes back
// when the device does or the port is closed.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace serial {
class Serial;
}

namespace serialtest {

class DeviceAwayNotice : public QObject {
    Q_OBJECT
  public:
    // Follows `port`; the title shown is that of `window`'s top-level window.
    DeviceAwayNotice(serial::Serial* port, QWidget* window);

    // Separates the title from the line while the device is away.
    static constexpr char16_t kSeparator[] = u" \u2014 ";

  private:
    void OnLostChanged(bool lost, const QString& line);

    QPointer<QWidget> window_;
    QString title_;       // the title before the loss
    bool shown_ = false;  // the title tells of a loss now
};

}  // namespace serialtest
