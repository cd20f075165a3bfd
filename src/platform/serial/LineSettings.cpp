#include "platform/serial/LineSettings.h"

#include <vector>

namespace serial {

std::string ParityName(std::uint8_t parity) {
    switch (static_cast<ParityCode>(parity)) {
        case ParityCode::None:
            return "none";
        case ParityCode::Odd:
            return "odd";
        case ParityCode::Even:
            return "even";
        case ParityCode::Mark:
            return "mark";
        case ParityCode::Space:
            return "space";
    }
    return "code " + std::to_string(parity);
}

std::string StopBitsName(std::uint8_t stopBits) {
    switch (static_cast<StopBitsCode>(stopBits)) {
        case StopBitsCode::One:
            return "1";
        case StopBitsCode::OneAndHalf:
            return "1.5";
        case StopBitsCode::Two:
            return "2";
    }
    return "code " + std::to_string(stopBits);
}

rt::Expected<> ValidSettings(const LineSettings& requested) {
    if (requested.baud == 0) return rt::Fail("Invalid baud rate 0");
    if (requested.byteSize < 5 || requested.byteSize > 8)
        return rt::Fail("Invalid data bits " + std::to_string(requested.byteSize) +
                        " (5 to 8 allowed)");
    if (requested.parity > static_cast<std::uint8_t>(ParityCode::Space))
        return rt::Fail("Invalid parity code " + std::to_string(requested.parity) +
                        " (0 to 4 allowed)");
    if (requested.stopBits > static_cast<std::uint8_t>(StopBitsCode::Two))
        return rt::Fail("Invalid stop bits code " + std::to_string(requested.stopBits) +
                        " (0, 1 or 2 allowed)");
    return {};
}

bool BaudKept(std::uint32_t requested, std::uint32_t applied) {
    const std::uint64_t diff = requested > applied ? requested - applied : applied - requested;
    return diff * 100 <= requested;
}

std::string DescribeRefusal(const std::string& device, const LineSettings& requested,
                            const LineSettings& applied) {
    std::vector<std::string> refused;
    if (!BaudKept(requested.baud, applied.baud))
        refused.push_back(std::to_string(requested.baud) + " baud (it keeps " +
                          std::to_string(applied.baud) + ")");
    // Refused in both directions alike, the rate is named once above.
    if (!BaudKept(requested.InputBaud(), applied.InputBaud()) &&
        applied.InputBaud() != applied.baud)
        refused.push_back("input speed " + std::to_string(requested.InputBaud()) +
                          " baud (it keeps " + std::to_string(applied.InputBaud()) + ")");
    if (requested.byteSize != applied.byteSize)
        refused.push_back(std::to_string(requested.byteSize) + " data bits (it keeps " +
                          std::to_string(applied.byteSize) + ")");
    if (requested.parity != applied.parity)
        refused.push_back("parity " + ParityName(requested.parity) + " (it keeps " +
                          ParityName(applied.parity) + ")");
    if (requested.stopBits != applied.stopBits)
        refused.push_back(StopBitsName(requested.stopBits) + " stop bits (it keeps " +
                          StopBitsName(applied.stopBits) + ")");
    if (refused.empty()) return {};
    std::string text = "The device " + device + " refused ";
    for (std::size_t i = 0; i < refused.size(); ++i) {
        if (i > 0) text += ", ";
        text += refused[i];
    }
    return text;
}

}  // namespace serial
