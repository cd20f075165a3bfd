#include "platform/serial/PortName.h"

#include <cctype>

namespace serial {

std::optional<PortName> PortName::Parse(std::string_view text) {
    // "Com" and one to three digits.
    if (text.size() < 4 || text.size() > 6) return std::nullopt;
    for (std::size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) return std::nullopt;
    if (text[3] == '0') return std::nullopt;
    int n = 0;
    for (const char c : text.substr(3)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n > kMaxNumber) return std::nullopt;
    return PortName(n);
}

std::string PortName::Text() const {
    return "Com" + std::to_string(number_);
}

}  // namespace serial
