#include "check/PatternIndex.h"

#include <algorithm>
#include <cstring>

namespace check {

namespace {

constexpr std::uint32_t kNone = 0xffffffffu;
// Enough buckets for the longest pattern to keep its chains a few long
// (16 MiB of buckets at most).
constexpr std::size_t kMaxBuckets = std::size_t{1} << 22;

}  // namespace

PatternIndex::PatternIndex(std::string_view pattern)
    : pattern_(pattern), span_(std::min(kAnchor, pattern.size())) {
    if (span_ == 0) return;
    std::size_t buckets = 16;
    while (buckets < pattern.size() && buckets < kMaxBuckets) buckets <<= 1;
    bucketMask_ = static_cast<std::uint32_t>(buckets - 1);
    head_.assign(buckets, kNone);
    const std::size_t windows = pattern.size() - span_ + 1;
    next_.assign(windows, kNone);
    // From the end, so that each chain runs from its lowest offset upward.
    for (std::size_t p = windows; p-- > 0;) {
        const std::size_t b = Bucket(pattern.data() + p);
        next_[p] = head_[b];
        head_[b] = static_cast<std::uint32_t>(p);
    }
}

std::size_t PatternIndex::Bucket(const char* bytes) const {
    std::uint64_t h = 0xcbf29ce484222325u;  // FNV-1a
    for (std::size_t i = 0; i < span_; ++i) {
        h ^= static_cast<unsigned char>(bytes[i]);
        h *= 0x100000001b3u;
    }
    return static_cast<std::size_t>(h ^ (h >> 29)) & bucketMask_;
}

std::optional<std::size_t> PatternIndex::Find(std::string_view bytes, std::size_t from) const {
    if (span_ == 0 || bytes.size() < span_) return std::nullopt;
    for (std::uint32_t p = head_[Bucket(bytes.data())]; p != kNone; p = next_[p]) {
        if (p >= from && std::memcmp(pattern_.data() + p, bytes.data(), span_) == 0) return p;
    }
    return std::nullopt;
}

}  // namespace check
