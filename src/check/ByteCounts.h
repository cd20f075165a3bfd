#pragma once
// What became of the bytes sent, compared with resynchronisation: after a
// difference the comparison finds where the two streams agree again (a run
// of PatternIndex::kAnchor bytes, or the last bytes of both), so one lost
// byte is one missing byte, not a shifted tail of wrong ones.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace check {

// One stretch where the streams differ.
struct Slip {
    enum class Kind {
        Missing,  // sent, never came
        Extra,    // came, never sent
        Changed,  // came in place of the bytes sent, but different
        Late,     // came after the setting's time was up
    };
    Kind kind = Kind::Missing;
    std::size_t offset = 0;          // where it starts in the bytes sent
    std::size_t receivedOffset = 0;  // where it starts in the bytes received
    std::size_t count = 0;
    std::size_t pass = 1;  // the pass of a soak it happened in
    // The bytes around it in hex, kSlipContext either side, the slip's own
    // bytes in brackets: "3f 07 [a1] 5c 20" ("[]" where the stream has none).
    std::string expected{};
    std::string received{};
};

// Slips a comparison keeps in full; the ones after it are only counted.
inline constexpr std::size_t kMaxSlips = 32;
inline constexpr std::size_t kSlipContext = 4;

struct ByteCounts {
    std::size_t sent = 0;
    std::size_t received = 0;  // bytes that came in the setting's time
    std::size_t late = 0;      // bytes that came after it
    std::size_t wrong = 0;     // changed bytes
    std::size_t missing = 0;   // sent, never came
    std::size_t extra = 0;     // came, never sent
    // Offset (in the bytes sent) of the first slip; nullopt when every byte
    // came back as sent and in time.
    std::optional<std::size_t> firstDifference;
    std::vector<Slip> slips;    // the first kMaxSlips, in stream order
    std::size_t slipCount = 0;  // all of them

    bool Intact() const { return slipCount == 0; }

    // Compares `received` with `sent`; the bytes of `received` from
    // `inTime` on came after the setting's time was up, and are one Late
    // slip where they start (they still count as received for the rest).
    static ByteCounts Compare(std::string_view sent, std::string_view received,
                              std::size_t inTime = std::string_view::npos);
};

// "missing", "extra", "changed", "late".
std::string_view SlipKindName(Slip::Kind kind);

}  // namespace check
