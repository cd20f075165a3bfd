#pragma once
// The serial devices present now and their port numbers, kept up to date
// while the program runs.
//
// Rescan reads the device tree (DeviceScanner), gives new devices their
// numbers (PortNumbering) and keeps them in the settings store. Watch follows
// hot-plug: sysfs reports no changes to file watchers, but the device folder
// (devtmpfs) does report nodes being created, removed and their permissions
// changing, and the kernel adds a node only after its sysfs entry, so a
// change there triggers a rescan. Changes that come in a burst (udev adding
// links and setting permissions just after the kernel) are taken together.
//
// Lives on the GUI thread; Changed is emitted from its event loop.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/serial/DeviceScanner.h"
#include "platform/serial/PortNumbering.h"
#include "platform/serial/SerialDevice.h"

namespace serial {

class DeviceMonitor : public QObject {
    Q_OBJECT
  public:
    // How long a burst of changes in the device folder is let settle.
    static constexpr int kSettleMs = 20;

    // `storePath`: the settings file that keeps the numbers; empty keeps
    // them for this run only. Scans once at once.
    DeviceMonitor(std::string root, std::string storePath, QObject* parent = nullptr);

    // Starts following hot-plug; needs a running Qt application.
    void Watch();
    // Reads the tree again; emits Changed when devices or numbers differ.
    void Rescan();

    struct Numbered {
        int number = 0;
        SerialDevice device;
    };
    // The devices present, by number.
    const std::vector<Numbered>& Present() const { return present_; }
    // The present device holding `number`.
    std::optional<SerialDevice> DeviceAt(int number) const;
    std::optional<SerialDevice> FindIdentity(const std::string& identity) const;
    // The present device whose node `path` is or leads to.
    std::optional<SerialDevice> FindNode(const std::string& path) const;

  signals:
    void Changed();

  private:
    void WatchFolders();

    DeviceScanner scanner_;
    std::string storePath_;
    PortNumbering numbering_;
    std::vector<Numbered> present_;
    // Made by Watch: the watcher needs the event loop's thread, which a
    // one-off listing run does not have.
    std::unique_ptr<QFileSystemWatcher> watcher_;
    QTimer settle_;
    bool storeFailureReported_ = false;
};

}  // namespace serial
