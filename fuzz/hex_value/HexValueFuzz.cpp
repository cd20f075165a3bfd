// HexValue and HexBytes over arbitrary values: every type a dynamic value
// can carry, with arbitrary contents (floats of any bit pattern, texts of
// any bytes). Any broken invariant traps.
//
// Input: byte 0 picks the type, the rest is the content.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "errors/HexValue.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

int Digit(char c) {
    return c <= '9' ? c - '0' : c - 'A' + 10;
}

// The text's bytes read back from "HH HH ".
std::string Unhex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 2 < hex.size() + 1; i += 3)
        bytes.push_back(static_cast<char>(Digit(hex[i]) * 16 + Digit(hex[i + 1])));
    return bytes;
}

void CheckDigits(const std::string& hex, std::size_t count) {
    Check(hex.size() == count);
    for (char c : hex) Check(IsUpperHex(c));
}

template <typename T>
T Take(const std::uint8_t* data, std::size_t size) {
    T value{};
    std::memcpy(&value, data, std::min(size, sizeof value));
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t* content = data + 1;
    const std::size_t length = size - 1;
    const std::string text(reinterpret_cast<const char*>(content), length);

    // HexBytes: three characters a byte, and it reads back.
    const std::string bytes = errors::HexBytes(text);
    Check(bytes.size() == 3 * length);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        Check(i % 3 == 2 ? bytes[i] == ' ' : IsUpperHex(bytes[i]));
    Check(Unhex(bytes) == text);

    switch (data[0] % 7) {
        case 0: {
            const double v = Take<double>(content, length);
            const std::string hex = errors::HexValue(rt::Usual(v));
            const bool whole32 =
                std::isfinite(v) && v == std::trunc(v) && v >= -2147483647.0 && v <= 4294967295.0;
            CheckDigits(hex, whole32 ? 8 : 16);
            if (whole32) {
                const auto pattern = v > 0
                                         ? static_cast<std::uint32_t>(v)
                                         : static_cast<std::uint32_t>(static_cast<std::int32_t>(v));
                Check(std::stoul(hex, nullptr, 16) == pattern);
            }
            break;
        }
        case 1: {
            const auto v = Take<std::int32_t>(content, length);
            const std::string hex = errors::HexValue(rt::Usual(v));
            CheckDigits(hex, 8);
            Check(std::stoul(hex, nullptr, 16) == static_cast<std::uint32_t>(v));
            break;
        }
        case 2:
            Check(errors::HexValue(rt::Usual(text)) == bytes);
            break;
        case 3:
            CheckDigits(errors::HexValue(rt::Usual(length % 2 == 1)), 8);
            break;
        case 4:
            CheckDigits(
                errors::HexValue(rt::Usual(rt::Symbol{Take<std::uint32_t>(content, length)})), 8);
            break;
        case 5:
            CheckDigits(errors::HexValue(rt::Usual(rt::Date{Take<std::int32_t>(content, length)})),
                        8);
            break;
        default: {
            void* pointer = reinterpret_cast<void*>(Take<std::uintptr_t>(content, length));
            CheckDigits(errors::HexValue(rt::Usual(pointer)), 8);
            break;
        }
    }
    return 0;
}
