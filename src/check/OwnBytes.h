#pragma once
// Which of the bytes arriving during a setting are the setting's own. Each
// setting sends a pattern of its own, so bytes of an earlier setting that a
// slow far end sends back late come before the first stretch of this
// pattern, and a dropped byte need not wait out the timeout: the pattern's
// last bytes at the end of what came say the rest has arrived.

#include <cstddef>
#include <optional>
#include <string_view>

#include "check/PatternIndex.h"

namespace check {

class OwnBytes {
  public:
    // `pattern` (the bytes this setting sends) must outlive the object.
    explicit OwnBytes(std::string_view pattern);

    // Where the own bytes start in `received`: the first offset whose run of
    // bytes the pattern holds; received.size() while none does. Between
    // calls `received` may only grow; each call reads only what is new.
    std::size_t Start(std::string_view received);
    // Whether `received` holds all that is to come: from Start() on as many
    // bytes as the pattern has, or the pattern's last bytes at its end.
    bool Complete(std::string_view received);

  private:
    std::string_view pattern_;
    PatternIndex index_;
    std::size_t scanned_ = 0;
    std::optional<std::size_t> start_;
};

// Whether `bytes` (what came before a setting's own bytes) is a stretch of
// `previous`, the pattern an earlier setting sent.
bool FromPattern(std::string_view bytes, std::string_view previous);

}  // namespace check
