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
// A rescan Watch starts reads the tree on a thread of its own, so a machine
// with thousands of ttys keeps the GUI thread free; the numbering and the
// Changed signal follow on the monitor's thread. Changes during a scan bring
// one more scan after it.
//
// Twins: adapters that report the same serial number (clones often do), or
// serials that read alike once reduced to an identity, cannot be told apart
// by it. Where two such are present at once, or a number kept in the store
// shows them told apart before, the socket joins the identity of each
// ("...:if00:at:1-2"), for as long as the program runs: each present device
// gets a number of its own, and a lost twin comes back only in its socket.
//
// Lives on the GUI thread; Changed is emitted from its event loop.

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
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
    // Waits for a scan under way.
    ~DeviceMonitor() override;

    // Starts following hot-plug; needs a running Qt application.
    void Watch();
    // Reads the tree again, at once, on the calling thread; emits Changed
    // when devices or numbers differ.
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
    // Reads the tree on the worker thread, then Apply here.
    void RescanInBackground();
    // Numbers the devices found and emits Changed when anything differs.
    void Apply(std::vector<SerialDevice> devices);
    // Gives twins their socket in their identity.
    void TellTwinsApart(std::vector<SerialDevice>& devices);

    DeviceScanner scanner_;
    std::string storePath_;
    PortNumbering numbering_;
    std::vector<Numbered> present_;
    // Made by Watch: the watcher needs the event loop's thread, which a
    // one-off listing run does not have.
    std::unique_ptr<QFileSystemWatcher> watcher_;
    QTimer settle_;
    std::thread worker_;
    bool scanning_ = false;   // a background scan is under way
    bool scanAgain_ = false;  // the tree changed during it
    bool storeFailureReported_ = false;
    std::set<std::string> twins_;  // identities seen shared by several devices
};

}  // namespace serial
