#include "check/ByteCounts.h"

#include <algorithm>

namespace check {

ByteCounts ByteCounts::Compare(std::string_view sent, std::string_view received) {
    ByteCounts c;
    c.sent = sent.size();
    c.received = received.size();
    const std::size_t common = std::min(c.sent, c.received);
    for (std::size_t i = 0; i < common; ++i) {
        if (sent[i] == received[i]) continue;
        if (!c.firstDifference) c.firstDifference = i;
        ++c.wrong;
    }
    c.missing = c.sent - common;
    c.extra = c.received - common;
    if (!c.firstDifference && c.sent != c.received) c.firstDifference = common;
    return c;
}

}  // namespace check
