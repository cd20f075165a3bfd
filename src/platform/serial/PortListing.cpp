#include "platform/serial/PortListing.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/serial/DeviceAccess.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/PortNumbering.h"
#include "platform/serial/SerialTexts.h"

namespace serial {
namespace {

std::string StateOf(const std::string& device) {
    if (device == texts::kLoopDevice) return std::string(texts::kFree);
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) return std::string(texts::kMissing);
    if (std::string held = DeviceAccess::HeldBy(device); !held.empty()) return held;
    if (::access(device.c_str(), R_OK | W_OK) != 0) {
        const group* g = ::getgrgid(info.st_gid);
        return std::string(texts::kNotPermitted) + " " +
               (g ? std::string(g->gr_name) : std::to_string(info.st_gid));
    }
    return std::string(texts::kFree);
}

// A device's own strings (a USB product name) and a path given by the user
// may hold control characters; written raw they would split a line or drive
// the terminal. Each becomes \xNN.
std::string Printable(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7f) {
            shown += c;
            continue;
        }
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", u);
        shown += escaped;
    }
    return shown;
}

}  // namespace

std::vector<PortListing::Row> PortListing::Rows(const PortMap& map) {
    std::vector<Row> rows;
    for (int number = 1; number <= PortNumbering::kMaxNumber; ++number) {
        const std::string port = "Com" + std::to_string(number);
        const std::string device = map.DeviceFor(port);
        if (device.empty()) continue;
        // Without a device tree every number has a default device: list
        // only those that exist.
        if (map.Devices() == nullptr && map.ExplicitDevice(number).empty() &&
            ::access(device.c_str(), F_OK) != 0)
            continue;
        std::string description = map.Kind(port);
        if (description.empty()) description = std::string(texts::kMappedDevice);
        rows.push_back({port, device, description, StateOf(device)});
    }
    return rows;
}

std::string PortListing::Text(const std::vector<Row>& given) {
    std::vector<Row> rows;
    for (const auto& row : given)
        rows.push_back({Printable(row.port), Printable(row.device), Printable(row.description),
                        Printable(row.state)});
    std::size_t portWidth = 0, deviceWidth = 0, descriptionWidth = 0;
    for (const auto& row : rows) {
        portWidth = std::max(portWidth, row.port.size());
        deviceWidth = std::max(deviceWidth, row.device.size());
        descriptionWidth = std::max(descriptionWidth, row.description.size());
    }
    const auto pad = [](const std::string& text, std::size_t width) {
        return text + std::string(width - text.size() + 2, ' ');
    };
    std::string text;
    for (const auto& row : rows)
        text += pad(row.port, portWidth) + pad(row.device, deviceWidth) +
                pad(row.description, descriptionWidth) + row.state + "\n";
    return text;
}

}  // namespace serial
