#include "check/OptionValues.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "check/CheckTexts.h"

namespace check {

namespace {

constexpr std::size_t kMaxBytes = 16u << 20;

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

// Reads every comma-separated part with `one`; on the first that does not
// read, sets `error` to "'part': why" and leaves `out` alone.
template <typename T, typename Reader>
bool ParseList(const std::string& text, std::string_view why, std::vector<T>& out,
               std::string& error, Reader one) {
    std::vector<T> values;
    for (auto part : Split(text)) {
        const std::optional<T> value = one(part);
        if (!value) {
            error = "'" + std::string(part) + "': " + std::string(why);
            return false;
        }
        if (std::find(values.begin(), values.end(), *value) == values.end())
            values.push_back(*value);
    }
    out = std::move(values);
    return true;
}

}  // namespace

bool ParseBauds(const std::string& text, std::vector<std::uint32_t>& out, std::string& error) {
    return ParseList<std::uint32_t>(text, texts::kBadBaud, out, error,
                                    [](std::string_view part) -> std::optional<std::uint32_t> {
                                        const auto v = Whole(part);
                                        if (!v || *v == 0 || *v > 0xffffffffu) return std::nullopt;
                                        return static_cast<std::uint32_t>(*v);
                                    });
}

bool ParseParities(const std::string& text, const std::vector<ParityChoice>& names,
                   std::vector<std::uint8_t>& out, std::string& error) {
    return ParseList<std::uint8_t>(text, texts::kBadParity, out, error,
                                   [&](std::string_view part) -> std::optional<std::uint8_t> {
                                       for (const auto& choice : names)
                                           if (EqualNoCase(part, choice.name)) return choice.code;
                                       return std::nullopt;
                                   });
}

bool ParseDataBits(const std::string& text, std::vector<std::uint8_t>& out, std::string& error) {
    return ParseList<std::uint8_t>(text, texts::kBadDataBits, out, error,
                                   [](std::string_view part) -> std::optional<std::uint8_t> {
                                       const auto v = Whole(part);
                                       if (!v || *v < 5 || *v > 8) return std::nullopt;
                                       return static_cast<std::uint8_t>(*v);
                                   });
}

bool ParseStopBits(const std::string& text, std::vector<std::uint8_t>& out, std::string& error) {
    return ParseList<std::uint8_t>(text, texts::kBadStopBits, out, error,
                                   [](std::string_view part) -> std::optional<std::uint8_t> {
                                       if (part == "1") return 0;
                                       if (part == "1.5") return 1;
                                       if (part == "2") return 2;
                                       return std::nullopt;
                                   });
}

bool ParseByteCount(const std::string& text, std::size_t& out, std::string& error) {
    const auto v = Whole(text);
    if (!v || *v == 0 || *v > kMaxBytes) {
        error = "'" + text + "': " + std::string(texts::kBadBytes);
        return false;
    }
    out = static_cast<std::size_t>(*v);
    return true;
}

}  // namespace check
