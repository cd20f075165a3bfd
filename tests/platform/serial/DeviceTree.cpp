#include "DeviceTree.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace serial::testing {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

}  // namespace

DeviceTree::DeviceTree() {
    fs::create_directories(Root() + "/sys/class/tty");
    fs::create_directories(Root() + "/dev");
}

PtyPair* DeviceTree::AddNode(const std::string& name, const std::string& sysDevice) {
    // sysDevice is the device folder; its class entry sits in tty/<name>.
    const fs::path entry = fs::path(sysDevice) / "tty" / name;
    fs::create_directories(entry);
    fs::create_symlink(fs::relative(sysDevice, entry), entry / "device");
    fs::create_symlink(fs::relative(entry, Root() + "/sys/class/tty"),
                       Root() + "/sys/class/tty/" + name);
    auto line = std::make_unique<PtyPair>();
    fs::create_symlink(line->Path(), Node(name));
    PtyPair* far = line.get();
    lines_[name] = std::move(line);
    return far;
}

PtyPair* DeviceTree::AddUart(const std::string& name, int type) {
    const std::string device = Root() + "/sys/devices/platform/serial8250/" + name;
    sysDirs_[name] = device;
    PtyPair* far = AddNode(name, device);
    Write(fs::path(device) / "tty" / name / "type", std::to_string(type));
    return far;
}

PtyPair* DeviceTree::AddUsb(const std::string& name, const UsbInfo& usb, bool byIdLink) {
    const fs::path usbDevice = fs::path(Root()) / "sys/devices/pci0000:00/usb1" / usb.socket;
    Write(usbDevice / "idVendor", usb.vendorId);
    Write(usbDevice / "idProduct", usb.productId);
    if (!usb.serialNumber.empty()) Write(usbDevice / "serial", usb.serialNumber);
    if (!usb.product.empty()) Write(usbDevice / "product", usb.product);
    if (!usb.manufacturer.empty()) Write(usbDevice / "manufacturer", usb.manufacturer);
    const fs::path interface = usbDevice / (usb.socket + ":1." + usb.interface);
    Write(interface / "bInterfaceNumber", usb.interface);
    const fs::path device = usb.acm ? interface : interface / name;
    fs::create_directories(device);
    sysDirs_[name] = usbDevice.string();
    PtyPair* far = AddNode(name, device.string());
    if (byIdLink) {
        fs::create_directories(Root() + "/dev/serial/by-id");
        fs::create_symlink("../../" + name, Root() + "/dev/serial/by-id/usb-" + usb.manufacturer +
                                                "_" + usb.serialNumber + "-if" + usb.interface +
                                                "-port0");
    }
    return far;
}

void DeviceTree::AddVirtual(const std::string& name) {
    const fs::path entry = fs::path(Root()) / "sys/devices/virtual/tty" / name;
    fs::create_directories(entry);
    fs::create_symlink(fs::relative(entry, Root() + "/sys/class/tty"),
                       Root() + "/sys/class/tty/" + name);
    fs::create_symlink("/dev/null", Node(name));
}

void DeviceTree::Remove(const std::string& name) {
    std::error_code ignored;
    fs::remove(Node(name), ignored);
    std::vector<fs::path> links;
    for (const auto& link : fs::directory_iterator(Root() + "/dev/serial/by-id", ignored))
        if (fs::read_symlink(link.path(), ignored).filename() == name) links.push_back(link.path());
    for (const auto& link : links) fs::remove(link, ignored);
    fs::remove(Root() + "/sys/class/tty/" + name, ignored);
    if (const auto it = sysDirs_.find(name); it != sysDirs_.end()) {
        fs::remove_all(it->second, ignored);
        sysDirs_.erase(it);
    }
    lines_.erase(name);
}

PtyPair* DeviceTree::Far(const std::string& name) const {
    const auto it = lines_.find(name);
    return it == lines_.end() ? nullptr : it->second.get();
}

}  // namespace serial::testing
