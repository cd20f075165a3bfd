#include "platform/runtime/Conversions.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "platform/runtime/ConversionTexts.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

std::string IntegerText(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Fixed-point text of a float. std::to_chars ignores the C library's
// locale, which the application object sets from the user's environment:
// the separator must come from the runtime's own settings only.
std::string FloatText(double value, std::int32_t decimals) {
    if (std::isnan(value)) return texts::kNotANumber;
    if (std::isinf(value))
        return value < 0 ? std::string("-") + texts::kInfinite : texts::kInfinite;
    // Halves round away from zero, as people expect of money and
    // measurements ("2.5" shows as "3"), not to the even neighbour as
    // std::to_chars does. Beyond 1e15 no fraction is left to round.
    const double scale = std::pow(10.0, decimals);
    if (std::fabs(value * scale) < 1e15) value = std::round(value * scale) / scale;
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, result.ptr);
    // A value rounded to zero keeps no sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    const auto point = text.find('.');
    if (point != std::string::npos) text[point] = State().intl.decimalSep;
    return text;
}

bool IsWhole(double value) {
    return std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < 1e18;
}

std::string NumberText(const Usual& value) {
    if (value.IsLong()) return IntegerText(value.AsLong());
    const double v = value.AsFloat();
    if (IsWhole(v)) return IntegerText(static_cast<std::int64_t>(v));
    return FloatText(v, State().intl.decimals);
}

}  // namespace

std::string AsString(const Usual& value) {
    switch (value.Type()) {
        case UsualType::Nil:
            return texts::kNil;
        case UsualType::Long:
        case UsualType::Float:
            return NumberText(value);
        case UsualType::Logic:
            return value.AsLogic() ? texts::kTrue : texts::kFalse;
        case UsualType::Date:
            return DToC(value.AsDate());
        case UsualType::String:
            return value.AsText();
        case UsualType::Symbol:
            return std::string(State().symbols.NameOf(value.AsSymbol()));
        case UsualType::Array: {
            const auto& array = value.AsArray();
            if (!array) return texts::kNullArray;
            return "{[" + IntegerText(static_cast<std::int64_t>(array->size())) + "]}";
        }
        case UsualType::Object: {
            const auto& object = value.AsObject();
            if (!object) return texts::kNullObject;
            return "{" + object->ClassName() + "}";
        }
        case UsualType::Ptr: {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "0x%08" PRIXPTR,
                          reinterpret_cast<std::uintptr_t>(value.AsPtr()));
            return buffer;
        }
    }
    return {};
}

std::string NTrim(const Usual& value) {
    return value.IsNumeric() ? NumberText(value) : "";
}

std::string NTrim(std::int32_t value) {
    return IntegerText(value);
}

std::string NTrim(std::uint32_t value) {
    return IntegerText(value);
}

std::string NTrim(std::int64_t value) {
    return IntegerText(value);
}

std::string NTrim(double value) {
    return NumberText(Usual(value));
}

std::string StrZero(double value, std::int32_t width, std::int32_t decimals) {
    std::string text = FloatText(value, std::clamp(decimals, 0, 9));
    if (width < 1) return text;
    const auto size = static_cast<std::size_t>(width);
    if (text.size() > size) return std::string(size, '*');
    const std::size_t digitsAt = text.front() == '-' ? 1 : 0;
    text.insert(digitsAt, size - text.size(), '0');
    return text;
}

std::string Upper(std::string_view text) {
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    const QString decoded = QString::fromUtf8(bytes);
    // Invalid UTF-8 decodes with replacement characters: it does not
    // survive the round trip, and only its ASCII letters are changed.
    if (decoded.toUtf8() == bytes) return decoded.toUpper().toStdString();
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string SubStr(std::string_view text, std::int64_t start) {
    return SubStr(text, start, static_cast<std::int64_t>(text.size()));
}

std::string SubStr(std::string_view text, std::int64_t start, std::int64_t count) {
    const auto size = static_cast<std::int64_t>(text.size());
    if (start == 0) start = 1;
    if (start < 0) start = size + start + 1;
    if (start < 1 || start > size || count <= 0) return {};
    const std::int64_t from = start - 1;
    return std::string(text.substr(static_cast<std::size_t>(from),
                                   static_cast<std::size_t>(std::min(count, size - from))));
}

double Val(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return 0.0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
    auto digitsFrom = [&](std::size_t from) {
        std::size_t to = from;
        while (to < text.size() && text[to] >= '0' && text[to] <= '9') ++to;
        return text.substr(from, to - from);
    };
    // A leading zero lets ".5" read as 0.5.
    std::string number = "0";
    const std::string_view whole = digitsFrom(i);
    number += whole;
    i += whole.size();
    if (i < text.size() && text[i] == '.') {
        const std::string_view fraction = digitsFrom(i + 1);
        if (!fraction.empty()) number += "." + std::string(fraction);
    }
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return negative && value != 0.0 ? -value : value;
}

std::string Version() {
    return texts::kVersion;
}

}  // namespace rt
