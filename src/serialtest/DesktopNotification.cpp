#include "serialtest/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace serialtest {
namespace {

constexpr char kService[] = "org.freedesktop.Notifications";
constexpr char kPath[] = "/org/freedesktop/Notifications";
constexpr char kApplication[] = "comtest";
// The server's default display time.
constexpr int kDefaultTimeout = -1;

}  // namespace

void DesktopNotification::Send(const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
    call << QString(kApplication) << 0u << QString(kApplication) << QString(kApplication) << body
         << QStringList() << QVariantMap() << kDefaultTimeout;
    bus.send(call);
}

}  // namespace serialtest
