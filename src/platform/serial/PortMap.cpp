#include "platform/serial/PortMap.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortName.h"
#include "platform/serial/SerialTexts.h"

namespace serial {
namespace {

std::optional<std::string> ProcessEnv(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::unique_ptr<PortMap>& CurrentSlot() {
    static std::unique_ptr<PortMap> current;
    return current;
}

std::string SyntaxError(const std::string& value) {
    return "bad " + std::string(texts::kPortOption) + " value '" + value +
           "': " + std::string(texts::kPortSyntax);
}

}  // namespace

PortMap::PortMap() : env_(ProcessEnv) {}

PortMap::PortMap(EnvLookup env) : env_(std::move(env)) {}

rt::Expected<> PortMap::AddMapping(const std::string& value) {
    const auto eq = value.find('=');
    if (eq == std::string::npos || eq + 1 == value.size()) return rt::Fail(SyntaxError(value));
    const auto port = PortName::Parse(std::string_view(value).substr(0, eq));
    if (!port) return rt::Fail(SyntaxError(value));
    explicit_[port->Number()] = value.substr(eq + 1);
    return {};
}

std::string PortMap::ExplicitDevice(int number) const {
    if (const auto it = explicit_.find(number); it != explicit_.end()) return it->second;
    if (env_) {
        const auto fromEnv = env_(std::string(texts::kEnvPrefix) + std::to_string(number));
        if (fromEnv && !fromEnv->empty()) return *fromEnv;
    }
    return {};
}

std::string PortMap::DeviceFor(const std::string& portName) const {
    const auto port = PortName::Parse(portName);
    if (!port) return {};
    const int number = port->Number();
    if (std::string device = ExplicitDevice(number); !device.empty()) return device;
    if (devices_) {
        const auto device = devices_->DeviceAt(number);
        return device ? device->node : std::string();
    }
    return DefaultDevice(number);
}

std::string_view PortMap::UnmappedReason() const {
    return devices_ ? texts::kNotNumbered : texts::kNoDevice;
}

std::string PortMap::IdentityFor(const std::string& portName) const {
    const std::string device = DeviceFor(portName);
    if (!devices_ || device.empty() || device == texts::kLoopDevice) return {};
    const auto found = devices_->FindNode(device);
    return found ? found->identity : std::string();
}

std::string PortMap::Kind(const std::string& portName) const {
    const std::string device = DeviceFor(portName);
    if (device == texts::kLoopDevice) return std::string(texts::kLoopbackLine);
    if (devices_ && !device.empty()) {
        if (const auto found = devices_->FindNode(device)) return found->Description();
    }
    return {};
}

std::string PortMap::Particulars(const std::string& portName) const {
    const std::string device = DeviceFor(portName);
    if (devices_ && !device.empty() && device != texts::kLoopDevice) {
        if (const auto found = devices_->FindNode(device)) return found->Particulars();
    }
    return {};
}

std::string PortMap::Describe(const std::string& portName) const {
    const std::string device = DeviceFor(portName);
    if (device == texts::kLoopDevice) return std::string(texts::kLoopbackLine);
    const std::string kind = Kind(portName);
    if (kind.empty()) return device;
    const std::string particulars = Particulars(portName);
    return kind + ", " + device + (particulars.empty() ? "" : ", " + particulars);
}

bool PortMap::HasDevice(const std::string& portName) const {
    const std::string device = DeviceFor(portName);
    std::error_code error;
    return device == texts::kLoopDevice ||
           (!device.empty() && std::filesystem::exists(device, error));
}

void PortMap::SetDevices(std::shared_ptr<DeviceMonitor> devices) {
    devices_ = std::move(devices);
}

std::string PortMap::DefaultDevice(int number) {
    return "/dev/ttyS" + std::to_string(number - 1);
}

const PortMap& PortMap::Current() {
    auto& slot = CurrentSlot();
    if (!slot) slot = std::make_unique<PortMap>();
    return *slot;
}

void PortMap::Install(PortMap map) {
    CurrentSlot() = std::make_unique<PortMap>(std::move(map));
}

}  // namespace serial
