#include "platform/serial/DeviceScanner.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/serial/ShownText.h"

namespace serial {
namespace {

namespace fs = std::filesystem;

// Sysfs attributes are one line of at most a page; the first kAttributeBytes
// of it, cut at a character boundary, are enough to tell what a device is.
constexpr std::size_t kPageBytes = 4096;
constexpr std::size_t kAttributeBytes = 256;
// Levels from a tty's device up to its USB device: port, interface, device.
constexpr int kMaxLevels = 8;
// Links followed from a node given by hand, as the kernel's own limit.
constexpr int kMaxLinks = 40;

std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::string text(kPageBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    const auto end = text.find_first_of("\r\n");
    if (end != std::string::npos) text.resize(end);
    text = ShownText::CutAt(text, kAttributeBytes);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    return text;
}

// Identities are stored as settings values: keep them to characters that
// need no quoting there.
std::string IdentityPart(const std::string& text) {
    std::string part;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        part += (std::isalnum(u) || c == '.' || c == '-' || c == '_') ? c : '_';
    }
    return part;
}

// "ttyUSB10" as ("ttyUSB", 10), so names sort as people number them.
std::pair<std::string, long> NameKey(const std::string& name) {
    auto digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
    const std::string number = name.substr(digits);
    return {name.substr(0, digits), number.empty() ? -1 : std::atol(number.c_str())};
}

bool Inside(const fs::path& path, const fs::path& folder) {
    const auto [end, ignored] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
}

// Kernel name -> by-id link, from the links' targets.
std::map<std::string, std::string> ByIdLinks(const fs::path& folder) {
    std::map<std::string, std::string> links;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path target = fs::read_symlink(entry.path(), error);
        if (!error) links.emplace(target.filename().string(), entry.path().string());
    }
    return links;
}

// Fills the USB fields when a USB device is above `device`; FALSE otherwise.
bool DescribeUsb(const fs::path& device, const fs::path& sysRoot, SerialDevice& found) {
    fs::path below;
    fs::path at = device;
    for (int level = 0; level < kMaxLevels && Inside(at, sysRoot); ++level) {
        std::error_code error;
        if (fs::exists(at / "idVendor", error)) {
            found.kind = SerialDevice::Kind::Usb;
            found.vendorId = ReadAttribute(at / "idVendor");
            found.productId = ReadAttribute(at / "idProduct");
            found.product = ReadAttribute(at / "product");
            found.manufacturer = ReadAttribute(at / "manufacturer");
            const std::string serialNumber = ReadAttribute(at / "serial");
            found.serialNumber = serialNumber;
            found.socket = at.filename().string();
            std::string interface = below.empty() ? "" : ReadAttribute(below / "bInterfaceNumber");
            if (interface.empty()) interface = "00";
            std::string identity =
                "usb:" + IdentityPart(found.vendorId) + ":" + IdentityPart(found.productId) + ":";
            // Without a serial number only the socket tells two alike apart.
            identity += serialNumber.empty() ? "at:" + IdentityPart(at.filename().string())
                                             : IdentityPart(serialNumber);
            identity += ":if" + IdentityPart(interface);
            // Multi-port adapters may put several ports on one interface.
            const std::string port = ReadAttribute(device / "port_number");
            if (!port.empty() && port != "0") identity += ":port" + IdentityPart(port);
            found.identity = identity;
            return true;
        }
        below = at;
        at = at.parent_path();
    }
    return false;
}

// Consoles and pseudo-terminals have a class entry but nothing behind it.
bool BehindDevice(const fs::path& classEntry) {
    std::error_code error;
    return fs::exists(classEntry / "device", error);
}

}  // namespace

std::string DeviceScanner::DefaultRoot() {
    const char* root = std::getenv("COMTEST_DEVICE_ROOT");
    return (root != nullptr && *root != '\0') ? std::string(root) : std::string("/");
}

std::string DeviceScanner::DeviceFolder() const {
    return (fs::path(root_) / "dev").lexically_normal().string();
}

std::vector<SerialDevice> DeviceScanner::Scan() const {
    const fs::path root(root_);
    std::error_code error;
    const fs::path sysRoot = fs::weakly_canonical(root / "sys", error);
    const auto byId = ByIdLinks(root / "dev" / "serial" / "by-id");
    std::vector<SerialDevice> devices;
    for (const auto& entry : fs::directory_iterator(root / "sys" / "class" / "tty", error)) {
        std::error_code entryError;
        if (!BehindDevice(entry.path())) continue;
        SerialDevice found;
        found.name = entry.path().filename().string();
        found.node = (root / "dev" / found.name).lexically_normal().string();
        if (!fs::exists(found.node, entryError)) continue;
        found.target = fs::canonical(found.node, entryError).string();
        const fs::path device = fs::canonical(entry.path() / "device", entryError);
        if (entryError) continue;
        if (!DescribeUsb(device, sysRoot, found)) {
            const fs::path type = entry.path() / "type";
            if (fs::exists(type, entryError)) {
                // Type 0: the kernel reserved the name but found no UART.
                if (ReadAttribute(type) == "0") continue;
                found.kind = SerialDevice::Kind::Uart;
                found.identity = "uart:" + IdentityPart(found.name);
            } else {
                found.kind = SerialDevice::Kind::Other;
                found.identity = "tty:" + IdentityPart(found.name);
            }
        }
        if (const auto link = byId.find(found.name); link != byId.end()) found.byId = link->second;
        devices.push_back(std::move(found));
    }
    std::sort(devices.begin(), devices.end(), [](const SerialDevice& a, const SerialDevice& b) {
        const bool aUart = a.kind == SerialDevice::Kind::Uart;
        const bool bUart = b.kind == SerialDevice::Kind::Uart;
        if (aUart != bUart) return aUart;
        return NameKey(a.name) < NameKey(b.name);
    });
    return devices;
}

bool DeviceScanner::HasDevice(const std::string& path) const {
    const fs::path root(root_);
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(root / "dev", error);
    // Links are followed one at a time and each name on the way counts: a
    // by-id link leads to the node, and a tree's own node may itself be a
    // link to the line standing in for its device.
    fs::path at = fs::absolute(path, error);
    for (int hop = 0; hop < kMaxLinks && !error; ++hop) {
        const fs::path parent = fs::weakly_canonical(at.parent_path(), error);
        if (!error && parent == folder && BehindDevice(root / "sys/class/tty" / at.filename()))
            return true;
        if (!fs::is_symlink(at, error)) return false;
        at = at.parent_path() / fs::read_symlink(at, error);
    }
    return false;
}

}  // namespace serial
