#include "check/ByteCounts.h"

#include <algorithm>

#include "check/PatternIndex.h"

namespace check {

namespace {

// At most this many of a slip's own bytes go into its context.
constexpr std::size_t kMaxShown = 16;

std::string Hex(std::string_view bytes, std::size_t at, std::size_t count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const std::size_t from = at > kSlipContext ? at - kSlipContext : 0;
    const std::size_t shown = std::min(count, kMaxShown);
    const std::size_t to = std::min(bytes.size(), at + count + kSlipContext);
    std::string out;
    auto put = [&](std::size_t i) {
        if (!out.empty() && out.back() != '[') out += ' ';
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += kDigits[b >> 4];
        out += kDigits[b & 15];
    };
    for (std::size_t i = from; i < at && i < bytes.size(); ++i) put(i);
    out += out.empty() ? "[" : " [";
    for (std::size_t i = at; i < at + shown && i < bytes.size(); ++i) put(i);
    if (shown < count) out += " ..";
    out += ']';
    for (std::size_t i = at + count; i < to; ++i) put(i);
    return out;
}

class Comparison {
  public:
    Comparison(std::string_view sent, std::string_view received, ByteCounts& c)
        : s_(sent), r_(received), c_(c) {}

    void Add(Slip::Kind kind, std::size_t i, std::size_t j, std::size_t count) {
        if (count == 0) return;
        if (kind == Slip::Kind::Changed) c_.wrong += count;
        if (kind == Slip::Kind::Missing) c_.missing += count;
        if (kind == Slip::Kind::Extra) c_.extra += count;
        if (!c_.firstDifference) c_.firstDifference = i;
        ++c_.slipCount;
        if (c_.slips.size() >= kMaxSlips) return;
        const bool inSent = kind == Slip::Kind::Missing || kind == Slip::Kind::Changed;
        const bool inReceived = kind != Slip::Kind::Missing;
        Slip slip{kind, i, j, count};
        slip.expected = Hex(s_, i, inSent ? count : 0);
        slip.received = Hex(r_, j, inReceived ? count : 0);
        c_.slips.push_back(std::move(slip));
    }

    // Where the streams agree again at or after (i, j): the first received
    // offset whose run of bytes the pattern holds at or after i, or where
    // the rest of both streams is the same. nullopt when they never do.
    std::optional<std::pair<std::size_t, std::size_t>> Resync(std::size_t i, std::size_t j) {
        if (!index_) index_.emplace(s_);
        const std::size_t span = index_->Span();
        for (std::size_t jj = j; jj < r_.size(); ++jj) {
            const std::size_t rest = r_.size() - jj;
            if (span > 0 && rest >= span) {
                if (const auto p = index_->Find(r_.substr(jj, span), i)) return std::pair(*p, jj);
                continue;
            }
            if (rest <= s_.size() - i && s_.substr(s_.size() - rest) == r_.substr(jj))
                return std::pair(s_.size() - rest, jj);
        }
        return std::nullopt;
    }

  private:
    std::string_view s_, r_;
    ByteCounts& c_;
    std::optional<PatternIndex> index_;  // made at the first difference
};

}  // namespace

std::string_view SlipKindName(Slip::Kind kind) {
    switch (kind) {
        case Slip::Kind::Missing:
            return "missing";
        case Slip::Kind::Extra:
            return "extra";
        case Slip::Kind::Changed:
            return "changed";
        case Slip::Kind::Late:
            return "late";
    }
    return {};
}

ByteCounts ByteCounts::Compare(std::string_view sent, std::string_view received,
                               std::size_t inTime) {
    ByteCounts c;
    c.sent = sent.size();
    inTime = std::min(inTime, received.size());
    c.received = inTime;
    c.late = received.size() - inTime;
    Comparison cmp(sent, received, c);
    std::size_t i = 0, j = 0;
    std::optional<std::size_t> lateAt;  // the sent offset the late bytes start at
    while (j < received.size()) {
        if (!lateAt && j >= inTime) lateAt = i;
        if (i < sent.size() && sent[i] == received[j]) {
            ++i, ++j;
            continue;
        }
        const auto again = cmp.Resync(i, j);
        const std::size_t ii = again ? again->first : sent.size();
        const std::size_t jj = again ? again->second : received.size();
        const std::size_t changed = std::min(ii - i, jj - j);
        cmp.Add(Slip::Kind::Changed, i, j, changed);
        cmp.Add(Slip::Kind::Missing, i + changed, j + changed, ii - i - changed);
        cmp.Add(Slip::Kind::Extra, i + changed, j + changed, jj - j - changed);
        if (!lateAt && j < inTime && jj > inTime) lateAt = i + std::min(inTime - j, ii - i);
        i = ii, j = jj;
    }
    cmp.Add(Slip::Kind::Missing, i, j, sent.size() - i);
    if (c.late > 0) {
        // The late bytes are one slip where they start, kept in stream order.
        const std::size_t at = std::min(lateAt.value_or(i), sent.size());
        Slip late{Slip::Kind::Late, at, inTime, c.late};
        late.expected = Hex(sent, at, 0);
        late.received = Hex(received, inTime, c.late);
        if (!c.firstDifference || at < *c.firstDifference) c.firstDifference = at;
        ++c.slipCount;
        const auto pos = std::find_if(c.slips.begin(), c.slips.end(),
                                      [&](const Slip& s) { return s.receivedOffset >= inTime; });
        if (c.slips.size() < kMaxSlips || pos != c.slips.end()) {
            c.slips.insert(pos, std::move(late));
            if (c.slips.size() > kMaxSlips) c.slips.pop_back();
        }
    }
    return c;
}

}  // namespace check
