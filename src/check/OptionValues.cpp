#include "check/OptionValues.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "check/CheckTexts.h"
#include "check/Pattern.h"
#include "platform/serial/PortName.h"

namespace check {

namespace {

std::vector<std::string_view> Split(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

std::optional<std::uint64_t> Whole(std::string_view part) {
    std::uint64_t value = 0;
    const auto* end = part.data() + part.size();
    const auto [ptr, ec] = std::from_chars(part.data(), end, value);
    if (part.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Reads every comma-separated part with `one`; the first that does not read
// fails the list with "'part': why".
template <typename T, typename Reader>
rt::Expected<std::vector<T>> ParseList(const std::string& text, std::string_view why, Reader one) {
    std::vector<T> values;
    for (auto part : Split(text)) {
        const std::optional<T> value = one(part);
        if (!value) return rt::Fail("'" + std::string(part) + "': " + std::string(why));
        if (std::find(values.begin(), values.end(), *value) == values.end())
            values.push_back(*value);
    }
    return values;
}

}  // namespace

rt::Expected<std::vector<std::uint32_t>> ParseBauds(const std::string& text) {
    return ParseList<std::uint32_t>(text, texts::kBadBaud,
                                    [](std::string_view part) -> std::optional<std::uint32_t> {
                                        const auto v = Whole(part);
                                        if (!v || *v == 0 || *v > 0xffffffffu) return std::nullopt;
                                        return static_cast<std::uint32_t>(*v);
                                    });
}

rt::Expected<std::vector<std::uint8_t>> ParseParities(const std::string& text,
                                                      const std::vector<ParityChoice>& names) {
    return ParseList<std::uint8_t>(text, texts::kBadParity,
                                   [&](std::string_view part) -> std::optional<std::uint8_t> {
                                       for (const auto& choice : names)
                                           if (EqualNoCase(part, choice.name)) return choice.code;
                                       return std::nullopt;
                                   });
}

rt::Expected<std::vector<std::uint8_t>> ParseDataBits(const std::string& text) {
    return ParseList<std::uint8_t>(text, texts::kBadDataBits,
                                   [](std::string_view part) -> std::optional<std::uint8_t> {
                                       const auto v = Whole(part);
                                       if (!v || *v < 5 || *v > 8) return std::nullopt;
                                       return static_cast<std::uint8_t>(*v);
                                   });
}

rt::Expected<std::vector<std::uint8_t>> ParseStopBits(const std::string& text) {
    return ParseList<std::uint8_t>(text, texts::kBadStopBits,
                                   [](std::string_view part) -> std::optional<std::uint8_t> {
                                       if (part == "1") return 0;
                                       if (part == "1.5") return 1;
                                       if (part == "2") return 2;
                                       return std::nullopt;
                                   });
}

rt::Expected<std::size_t> ParseByteCount(const std::string& text) {
    const auto v = Whole(text);
    if (!v || *v == 0 || *v > kMaxPatternSize)
        return rt::Fail("'" + text + "': " + std::string(texts::kBadBytes));
    return static_cast<std::size_t>(*v);
}

rt::Expected<std::size_t> ParseRepeat(const std::string& text) {
    const auto v = Whole(text);
    if (!v || *v == 0 || *v > 0xffffffffu)
        return rt::Fail("'" + text + "': " + std::string(texts::kBadRepeat));
    return static_cast<std::size_t>(*v);
}

rt::Expected<std::chrono::seconds> ParseDuration(const std::string& text) {
    std::string_view number(text);
    std::uint64_t unit = 1;
    if (!number.empty() && (number.back() == 's' || number.back() == 'm' || number.back() == 'h')) {
        unit = number.back() == 'h' ? 3600 : number.back() == 'm' ? 60 : 1;
        number.remove_suffix(1);
    }
    const auto v = Whole(number);
    if (!v || *v == 0 || *v > 1000 * 3600 / unit)
        return rt::Fail("'" + text + "': " + std::string(texts::kBadDuration));
    return std::chrono::seconds(static_cast<std::int64_t>(*v * unit));
}

rt::Expected<std::string> ParsePortName(const std::string& text) {
    if (!serial::PortName::Parse(text))
        return rt::Fail("'" + text + "': " + std::string(texts::kBadPortName));
    return text;
}

}  // namespace check
