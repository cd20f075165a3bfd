#include "check/Pattern.h"

#include <algorithm>

namespace check {

using std::chrono::microseconds;

std::string MakePattern(std::uint32_t seed, std::size_t size, std::uint8_t dataBits) {
    // xorshift32: small, fast and the same on every platform, unlike the
    // standard library's distributions.
    std::uint32_t state = seed != 0 ? seed : 0x9e3779b9u;
    const unsigned mask = (1u << std::clamp<unsigned>(dataBits, 5, 8)) - 1;
    std::string bytes(size, '\0');
    for (auto& b : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        b = static_cast<char>((state >> 24) & mask);
    }
    return bytes;
}

std::uint32_t RowSeed(std::uint32_t seed, std::size_t step) {
    // A 32-bit finaliser: neighbouring steps give unrelated seeds.
    std::uint32_t x = seed + 0x9e3779b9u * static_cast<std::uint32_t>(step + 1);
    x ^= x >> 16;
    x *= 0x85ebca6bu;
    x ^= x >> 13;
    x *= 0xc2b2ae35u;
    x ^= x >> 16;
    return x != 0 ? x : 1;
}

unsigned CharBits(const serial::LineSettings& s) {
    const unsigned parity = s.parity != 0 ? 1 : 0;
    const unsigned stop = s.stopBits != 0 ? 2 : 1;
    return 1 + s.byteSize + parity + stop;
}

double NominalRate(const serial::LineSettings& s) {
    // In half bits, for one and a half stop bits.
    const unsigned halfBits =
        2 * (1 + s.byteSize + (s.parity != 0 ? 1 : 0)) + (s.stopBits == 0   ? 2
                                                          : s.stopBits == 1 ? 3
                                                                            : 4);
    return 2.0 * static_cast<double>(s.baud) / halfBits;
}

bool RateWithinTolerance(const serial::LineSettings& s, double bytesPerSecond) {
    const double share = bytesPerSecond / NominalRate(s);
    return share >= 1 - kRateTolerance && share <= 1 + kRateTolerance;
}

std::size_t DefaultPatternSize(const serial::LineSettings& s) {
    return std::clamp<std::size_t>(static_cast<std::size_t>(NominalRate(s) / 2), 16,
                                   kMaxPatternSize);
}

microseconds WireTime(const serial::LineSettings& s, std::size_t bytes) {
    const double seconds = static_cast<double>(bytes) / NominalRate(s);
    return microseconds(static_cast<std::int64_t>(seconds * 1e6));
}

microseconds ReceiveTimeout(const serial::LineSettings& s, std::size_t bytes, bool paced) {
    microseconds transfer = WireTime(s, bytes);
    if (!paced) {
        const auto ownTime = microseconds(
            static_cast<std::int64_t>(static_cast<double>(bytes) / kUnpacedBytesPerSecond * 1e6));
        transfer = std::max(transfer, ownTime);
    }
    return transfer * 3 / 2 + std::chrono::milliseconds(200);
}

microseconds QuietTime(const serial::LineSettings& s, bool paced) {
    if (!paced) return std::chrono::milliseconds(2);
    return std::clamp<microseconds>(WireTime(s, 3), std::chrono::milliseconds(2),
                                    std::chrono::milliseconds(40));
}

microseconds TrailingWait(const serial::LineSettings& s) {
    return std::clamp<microseconds>(WireTime(s, 2), std::chrono::milliseconds(2),
                                    std::chrono::milliseconds(40));
}

}  // namespace check
