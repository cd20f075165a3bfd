#include "errors/HexValue.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "errors/ErrorConstants.h"
#include "platform/runtime/Activation.h"

namespace errors {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

std::string Hex8(std::uint32_t value) {
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return text;
}

std::string HexFloat(double value) {
    RT_ENTER("HEXFLOAT", text::kModule);
    // The default text of a number shows a "." exactly when it has a
    // fractional part: our values carry no decimal count of their own.
    const bool fractional = !(std::floor(value) == value);
    const bool wide = fractional || value > 4294967295.0 || value < -2147483647.0;
    if (!wide) {
        if (value > 0) return Hex8(static_cast<std::uint32_t>(value));
        return Hex8(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
    }
    std::uint32_t halves[2];
    static_assert(sizeof halves == sizeof value);
    std::memcpy(halves, &value, sizeof value);
    return Hex8(halves[0]) + Hex8(halves[1]);
}

}  // namespace

std::string HexValue(const rt::Usual& value) {
    RT_ENTER("HEXVALUE", text::kModule);
    switch (value.Type()) {
        case rt::UsualType::Float:
            return HexFloat(value.AsFloat());
        case rt::UsualType::String:
            return HexBytes(value.AsText());
        case rt::UsualType::Long:
            return Hex8(static_cast<std::uint32_t>(value.AsLong()));
        case rt::UsualType::Logic:
            return Hex8(value.AsLogic() ? 1 : 0);
        case rt::UsualType::Date:
            return Hex8(static_cast<std::uint32_t>(value.AsDate().julian));
        case rt::UsualType::Symbol:
            return Hex8(value.AsSymbol().number);
        case rt::UsualType::Ptr:
            return Hex8(
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value.AsPtr())));
        case rt::UsualType::Object:
            return Hex8(static_cast<std::uint32_t>(
                reinterpret_cast<std::uintptr_t>(value.AsObject().get())));
        case rt::UsualType::Array:
            return Hex8(static_cast<std::uint32_t>(
                reinterpret_cast<std::uintptr_t>(value.AsArray().get())));
        case rt::UsualType::Nil:
            break;
    }
    return Hex8(0);
}

std::string HexBytes(std::string_view text) {
    RT_ENTER("HEXBYTES", text::kModule);
    std::string result;
    result.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        result += kDigits[byte >> 4];
        result += kDigits[byte & 0xF];
        result += ' ';
    }
    return result;
}

}  // namespace errors
