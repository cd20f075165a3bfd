#include "platform/serial/PortListing.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/serial/DeviceAccess.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/PortNumbering.h"
#include "platform/serial/SerialTexts.h"
#include "platform/serial/ShownText.h"

namespace serial {
namespace {

std::string StateOf(const std::string& device, const DeviceAccess::OpenFiles& files) {
    if (device == texts::kLoopDevice) return std::string(texts::kFree);
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) return std::string(texts::kMissing);
    if (std::string held = DeviceAccess::HeldBy(device, files); !held.empty()) return held;
    if (::access(device.c_str(), R_OK | W_OK) != 0) {
        const group* g = ::getgrgid(info.st_gid);
        return std::string(texts::kNotPermitted) + " " +
               (g ? std::string(g->gr_name) : std::to_string(info.st_gid));
    }
    return std::string(texts::kFree);
}

}  // namespace

std::vector<PortListing::Row> PortListing::Rows(const PortMap& map) {
    std::vector<Row> rows;
    // One pass over /proc for every row: a machine may have thousands of
    // processes and ttys.
    const DeviceAccess::OpenFiles files = DeviceAccess::ScanOpenFiles();
    for (int number = 1; number <= PortNumbering::kMaxNumber; ++number) {
        const std::string port = PortName(number).Text();
        const std::string device = map.DeviceFor(port);
        if (device.empty()) continue;
        // Without a device tree every number has a default device: list
        // only those that exist.
        if (map.Devices() == nullptr && map.ExplicitDevice(number).empty() &&
            ::access(device.c_str(), F_OK) != 0)
            continue;
        std::string description = map.Kind(port);
        if (description.empty()) description = std::string(texts::kMappedDevice);
        if (const std::string particulars = map.Particulars(port); !particulars.empty())
            description += ", " + particulars;
        rows.push_back({port, device, description, StateOf(device, files)});
    }
    return rows;
}

std::string PortListing::Text(const std::vector<Row>& given) {
    std::vector<Row> rows;
    for (const auto& row : given)
        rows.push_back({ShownText::Escape(row.port), ShownText::Escape(row.device),
                        ShownText::Escape(row.description), ShownText::Escape(row.state)});
    std::size_t portWidth = 0, deviceWidth = 0, descriptionWidth = 0;
    for (const auto& row : rows) {
        portWidth = std::max(portWidth, ShownText::Width(row.port));
        deviceWidth = std::max(deviceWidth, ShownText::Width(row.device));
        descriptionWidth = std::max(descriptionWidth, ShownText::Width(row.description));
    }
    const auto pad = [](const std::string& text, std::size_t width) {
        return text + std::string(width - ShownText::Width(text) + 2, ' ');
    };
    std::string text;
    for (const auto& row : rows)
        text += pad(row.port, portWidth) + pad(row.device, deviceWidth) +
                pad(row.description, descriptionWidth) + row.state + "\n";
    return text;
}

}  // namespace serial
