#include "platform/serial/DeviceMonitor.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string_view>
#include <utility>

#include "platform/os/RegistryStore.h"
#include "platform/os/StderrLine.h"
#include "platform/serial/SerialTexts.h"

namespace serial {
namespace {

// Joins a twin's identity and its socket.
constexpr std::string_view kTwinMark = ":at:";

bool SameDevices(const std::vector<DeviceMonitor::Numbered>& a,
                 const std::vector<DeviceMonitor::Numbered>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const SerialDevice& x = a[i].device;
        const SerialDevice& y = b[i].device;
        if (a[i].number != b[i].number || x.identity != y.identity || x.node != y.node ||
            x.target != y.target || x.byId != y.byId)
            return false;
    }
    return true;
}

}  // namespace

DeviceMonitor::DeviceMonitor(std::string root, std::string storePath, QObject* parent)
    : QObject(parent), scanner_(std::move(root)), storePath_(std::move(storePath)) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { RescanInBackground(); });
    Rescan();
}

DeviceMonitor::~DeviceMonitor() {
    // Its result, posted to this object, goes with it.
    if (worker_.joinable()) worker_.join();
}

void DeviceMonitor::RescanInBackground() {
    if (scanning_) {
        scanAgain_ = true;
        return;
    }
    scanning_ = true;
    if (worker_.joinable()) worker_.join();
    worker_ = std::thread([this, scanner = scanner_] {
        std::vector<SerialDevice> devices = scanner.Scan();
        QMetaObject::invokeMethod(
            this,
            [this, found = std::move(devices)]() mutable {
                scanning_ = false;
                Apply(std::move(found));
                if (std::exchange(scanAgain_, false)) RescanInBackground();
            },
            Qt::QueuedConnection);
    });
}

void DeviceMonitor::Watch() {
    if (!watcher_) {
        watcher_ = std::make_unique<QFileSystemWatcher>();
        connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, this,
                [this] { settle_.start(); });
    }
    WatchFolders();
}

void DeviceMonitor::WatchFolders() {
    const std::string dev = scanner_.DeviceFolder();
    for (const std::string& folder : {dev, dev + "/serial/by-id"}) {
        const QString path = QString::fromStdString(folder);
        std::error_code error;
        if (!watcher_->directories().contains(path) && std::filesystem::is_directory(folder, error))
            watcher_->addPath(path);
    }
}

void DeviceMonitor::TellTwinsApart(std::vector<SerialDevice>& devices) {
    std::map<std::string, int> seen;
    for (const auto& device : devices)
        if (!device.serialNumber.empty()) ++seen[device.identity];
    for (const auto& [identity, count] : seen)
        if (count > 1) twins_.insert(identity);
    // A twin's kept identity ends in ":at:" and its socket, with no colon
    // after (an adapter without a serial number has its interface there).
    for (const auto& [number, identity] : numbering_.Entries()) {
        const auto at = identity.rfind(kTwinMark);
        if (at != std::string::npos &&
            identity.find(':', at + std::string_view(kTwinMark).size()) == std::string::npos)
            twins_.insert(identity.substr(0, at));
    }
    for (auto& device : devices) {
        if (device.serialNumber.empty() || !twins_.contains(device.identity)) continue;
        std::string socket = device.socket;
        for (char& c : socket)
            if (c == ':') c = '_';
        device.identity += std::string(kTwinMark) + socket;
    }
}

void DeviceMonitor::Rescan() {
    Apply(scanner_.Scan());
}

void DeviceMonitor::Apply(std::vector<SerialDevice> devices) {
    // Another process may have numbered devices meanwhile: start from the
    // store's numbers, keeping ours where the store has none.
    if (!storePath_.empty()) {
        PortNumbering stored = PortNumbering::Load(os::RegistryStore(storePath_));
        PortNumbering::Table merged = stored.Entries();
        for (const auto& [number, identity] : numbering_.Entries())
            if (!merged.contains(number) && !stored.NumberOf(identity)) merged[number] = identity;
        numbering_ = PortNumbering(std::move(merged));
    }
    TellTwinsApart(devices);
    const std::vector<int> given = numbering_.Assign(devices);
    if (!storePath_.empty()) {
        const os::RegistryStore store(storePath_);
        bool saved = true;
        for (const int number : given) saved = numbering_.Save(store, number) && saved;
        // A store given up has had its line already.
        if (!saved && !storeFailureReported_ && !store.GivenUp()) {
            storeFailureReported_ = true;
            os::StderrLine(std::string(texts::kCannotKeepNumbers) + " " + storePath_);
        }
    }

    std::vector<Numbered> present;
    for (const auto& device : devices)
        if (const auto number = numbering_.NumberOf(device.identity))
            present.push_back({*number, device});
    std::sort(present.begin(), present.end(),
              [](const Numbered& a, const Numbered& b) { return a.number < b.number; });
    const bool changed = !SameDevices(present, present_);
    present_ = std::move(present);
    // The by-id folder appears with the first USB device.
    if (watcher_) WatchFolders();
    if (changed) emit Changed();
}

std::optional<SerialDevice> DeviceMonitor::DeviceAt(int number) const {
    for (const auto& entry : present_)
        if (entry.number == number) return entry.device;
    return std::nullopt;
}

std::optional<SerialDevice> DeviceMonitor::FindIdentity(const std::string& identity) const {
    for (const auto& entry : present_)
        if (entry.device.identity == identity) return entry.device;
    return std::nullopt;
}

std::optional<SerialDevice> DeviceMonitor::FindNode(const std::string& path) const {
    std::error_code error;
    const auto target = std::filesystem::canonical(path, error);
    if (error) return std::nullopt;
    for (const auto& entry : present_)
        if (!entry.device.target.empty() && entry.device.target == target.string())
            return entry.device;
    return std::nullopt;
}

}  // namespace serial
