#include "platform/serial/DeviceReturn.h"

#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"

namespace serial {

DeviceReturn::DeviceReturn(QObject* context, Reopen reopen, GiveUp giveUp)
    : context_(context), reopen_(std::move(reopen)), giveUp_(std::move(giveUp)) {
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    QObject::connect(&retry_, &QTimer::timeout, context_, [this] { Try(); });
}

DeviceReturn::~DeviceReturn() {
    Stop();
}

void DeviceReturn::Await(const std::string& identity) {
    Stop();
    DeviceMonitor* devices = PortMap::Current().Devices();
    if (identity.empty() || devices == nullptr) return;
    identity_ = identity;
    watch_ = QObject::connect(devices, &DeviceMonitor::Changed, context_, [this] {
        triesLeft_ = kTries;
        quiet_ = false;
        Try();
    });
    // A device pulled and put back within one rescan leaves the tree looking
    // unchanged, so look without waiting for a change too.
    // The node of the device just lost may still be listed then: failing to
    // open it says nothing about a return.
    triesLeft_ = kTries;
    quiet_ = true;
    reported_ = false;
    retry_.start(kRetryMs);
}

void DeviceReturn::Stop() {
    QObject::disconnect(watch_);
    retry_.stop();
    identity_.clear();
}

void DeviceReturn::Try() {
    DeviceMonitor* devices = PortMap::Current().Devices();
    if (identity_.empty() || devices == nullptr) return;
    const auto device = devices->FindIdentity(identity_);
    if (!device) return;
    const auto reopened = reopen_(*device);
    if (reopened) {
        Stop();
        return;
    }
    if (--triesLeft_ > 0) {
        retry_.start(kRetryMs);
        return;
    }
    if (!quiet_ && !reported_) {
        reported_ = true;
        giveUp_(*device, reopened.Error());
    }
    // Held by another program, say: look again now and then until it lets
    // go, without keeping the loop busy.
    retry_.start(kSlowRetryMs);
}

}  // namespace serial
