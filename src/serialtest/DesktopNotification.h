#pragma once
// A desktop notification through the session bus's notification service
// (org.freedesktop.Notifications), sent without waiting for an answer. With
// no session bus nothing is sent, and a bus without the service answers with
// an error nobody waits for: nothing fails either way.

#include <QString>

namespace serialtest {

class DesktopNotification {
  public:
    // Shows `body` under the program's name.
    static void Send(const QString& body);
};

}  // namespace serialtest
