#include "platform/serial/SerialDevice.h"

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

}  // namespace serial
