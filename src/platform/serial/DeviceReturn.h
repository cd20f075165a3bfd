#pragma once
// Waits for a lost device to come back: follows the device monitor of the
// current port map and, whenever the device with the awaited identity is
// present, hands it to `reopen`. It also looks kRetryMs after Await, since a
// device pulled and put back within one rescan leaves the tree looking
// unchanged. A returned device may refuse opening for a moment (udev sets its
// group and mode just after the kernel adds its node), so a refused reopen is
// tried again kRetryMs later, up to kTries times; when that follows a change
// of the tree, `giveUp` then gets the device found and the last reason
// (another program holding it, and which), once per Await. Waiting goes on:
// every kSlowRetryMs while the device stays present, and again at once on
// every change of the tree, until a reopen succeeds or Stop.

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "platform/runtime/Expected.h"
#include "platform/serial/SerialDevice.h"

namespace serial {

class DeviceReturn {
  public:
    static constexpr int kRetryMs = 100;
    static constexpr int kTries = 30;
    static constexpr int kSlowRetryMs = 1000;

    // Success when the device is open again, else a failure saying why not.
    using Reopen = std::function<rt::Expected<>(const SerialDevice&)>;
    // The device found back, and why it would not open.
    using GiveUp = std::function<void(const SerialDevice& device, const std::string& reason)>;

    // Callbacks run on `context`'s thread and never after `context` is gone.
    DeviceReturn(QObject* context, Reopen reopen, GiveUp giveUp);
    ~DeviceReturn();
    DeviceReturn(const DeviceReturn&) = delete;
    DeviceReturn& operator=(const DeviceReturn&) = delete;

    // Starts waiting; nothing happens for an empty identity or when the port
    // map has no device monitor.
    void Await(const std::string& identity);
    void Stop();

  private:
    void Try();

    QObject* context_;
    Reopen reopen_;
    GiveUp giveUp_;
    std::string identity_;
    QMetaObject::Connection watch_;
    QTimer retry_;
    int triesLeft_ = 0;
    bool quiet_ = false;     // tries not prompted by a change end without a report
    bool reported_ = false;  // giveUp was called since Await
};

}  // namespace serial
