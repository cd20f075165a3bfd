#include "errors/HexValue.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "errors/ErrorConstants.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"

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
    RT_LINE();
    // The default text of a number shows a "." exactly when it has a
    // fractional part: our values carry no decimal count of their own.
    const bool fractional = !(std::floor(value) == value);
    RT_LINE();
    const bool wide = fractional || value > 4294967295.0 || value < -2147483647.0;
    RT_LINE();
    if (!wide) {
        RT_LINE();
        if (value > 0) return Hex8(static_cast<std::uint32_t>(value));
        RT_LINE();
        return Hex8(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)));
    }
    RT_LINE();
    std::uint32_t halves[2];
    static_assert(sizeof halves == sizeof value);
    std::memcpy(halves, &value, sizeof value);
    RT_LINE();
    return Hex8(halves[0]) + Hex8(halves[1]);
}

}  // namespace

std::string HexValue(const rt::Usual& value) {
    RT_ENTER("HEXVALUE", text::kModule);
    RT_LINE();
    switch (value.Type()) {
        case rt::UsualType::Float:
            RT_LINE();
            return HexFloat(value.AsFloat());
        case rt::UsualType::String:
            RT_LINE();
            return HexBytes(value.AsText());
        case rt::UsualType::Long:
            RT_LINE();
            return Hex8(static_cast<std::uint32_t>(value.AsLong()));
        case rt::UsualType::Logic:
            RT_LINE();
            return Hex8(value.AsLogic() ? 1 : 0);
        case rt::UsualType::Date:
            RT_LINE();
            return Hex8(static_cast<std::uint32_t>(value.AsDate().julian));
        case rt::UsualType::Symbol:
            RT_LINE();
            return Hex8(value.AsSymbol().number);
        case rt::UsualType::Ptr:
            RT_LINE();
            return Hex8(
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value.AsPtr())));
        case rt::UsualType::Object:
            RT_LINE();
            return Hex8(static_cast<std::uint32_t>(
                reinterpret_cast<std::uintptr_t>(value.AsObject().get())));
        case rt::UsualType::Array:
            RT_LINE();
            return Hex8(static_cast<std::uint32_t>(
                reinterpret_cast<std::uintptr_t>(value.AsArray().get())));
        case rt::UsualType::Nil:
            break;
    }
    RT_LINE();
    return Hex8(0);
}

std::string HexBytes(std::string_view text) {
    RT_ENTER("HEXBYTES", text::kModule);
    RT_LINE();
    std::string result;
    result.reserve(text.size() * 3);
    RT_LINE();
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        result += kDigits[byte >> 4];
        result += kDigits[byte & 0xF];
        result += ' ';
    }
    RT_LINE();
    return result;
}

}  // namespace errors
