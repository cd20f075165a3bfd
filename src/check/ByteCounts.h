#pragma once
// What became of the bytes sent: compared position by position, so a lost
// or added byte shows where it happened and shifts what follows.

#include <cstddef>
#include <optional>
#include <string_view>

namespace check {

struct ByteCounts {
    std::size_t sent = 0;
    std::size_t received = 0;
    std::size_t wrong = 0;    // positions present in both that differ
    std::size_t missing = 0;  // sent beyond what was received
    std::size_t extra = 0;    // received beyond what was sent
    // Offset of the first position where the streams differ, a missing or an
    // extra byte included; nullopt when every byte came back as sent.
    std::optional<std::size_t> firstDifference;

    bool Intact() const { return !firstDifference.has_value(); }

    static ByteCounts Compare(std::string_view sent, std::string_view received);
};

}  // namespace check
