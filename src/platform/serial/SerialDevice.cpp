#include "platform/serial/SerialDevice.h"

#include <filesystem>

#include "platform/serial/SerialTexts.h"

namespace serial {

std::string SerialDevice::Description() const {
    switch (kind) {
        case Kind::Uart:
            return std::string(texts::kBuiltInUart);
        case Kind::Usb: {
            std::string text = product;
            if (!manufacturer.empty()) text += (text.empty() ? "" : ", ") + manufacturer;
            if (text.empty())
                text = std::string(texts::kUsbDevice) + " " + vendorId + ":" + productId;
            return text;
        }
        case Kind::Other:
            break;
    }
    return std::string(texts::kOtherDevice);
}

std::string SerialDevice::Particulars() const {
    std::string text;
    const auto add = [&text](const std::string& part) {
        if (!text.empty()) text += ", ";
        text += part;
    };
    if (!serialNumber.empty()) add(std::string(texts::kSerialNumber) + " " + serialNumber);
    if (!socket.empty() && identity.find(":at:" + socket) != std::string::npos)
        add(std::string(texts::kSocket) + " " + socket);
    if (!byId.empty()) add(std::filesystem::path(byId).filename().string());
    return text;
}

}  // namespace serial
