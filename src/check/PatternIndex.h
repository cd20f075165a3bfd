#pragma once
// Where a run of received bytes occurs in a pattern: every window of
// kAnchor bytes of the pattern (fewer when the pattern is shorter) is kept in
// hash chains, so that finding the first place at or after an offset that a
// run of bytes matches costs a few steps whatever the pattern's size. The
// pattern is pseudo-random, so a window of that length that matches is the
// same stretch of the stream, not chance.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace check {

class PatternIndex {
  public:
    // Bytes a match must span.
    static constexpr std::size_t kAnchor = 8;

    // Indexes `pattern`, which must outlive the index.
    explicit PatternIndex(std::string_view pattern);

    // Bytes a match spans in this pattern: kAnchor, or the pattern's size
    // when that is smaller (0 for an empty pattern, which nothing matches).
    std::size_t Span() const { return span_; }
    // The first offset at or after `from` where the pattern holds the Span()
    // bytes at `bytes`; nullopt when there is none or `bytes` holds fewer.
    std::optional<std::size_t> Find(std::string_view bytes, std::size_t from = 0) const;

  private:
    std::size_t Bucket(const char* bytes) const;

    std::string_view pattern_;
    std::size_t span_ = 0;
    std::uint32_t bucketMask_ = 0;
    std::vector<std::uint32_t> head_;  // per bucket: the first offset, or kNone
    std::vector<std::uint32_t> next_;  // per offset: the next one in its bucket, or kNone
};

}  // namespace check
