#include "check/ByteCounts.h"

#include <gtest/gtest.h>

#include <functional>

#include "check/Pattern.h"

namespace check {
namespace {

// What a line did to the pattern, and the slips the comparison should find.
struct SlipCase {
    const char* name;
    std::size_t size;
    std::function<std::string(std::string)> line;
    std::size_t slipCount;
    Slip::Kind firstKind;
    std::size_t firstOffset;
    std::size_t firstCount;
    std::size_t wrong, missing, extra;
};

std::string Erase(std::string s, std::size_t at, std::size_t n) {
    return s.erase(at, n);
}
std::string Flip(std::string s, std::size_t at) {
    s[at] = static_cast<char>(s[at] ^ 0x10);
    return s;
}

TEST(ByteCountsTest, SlipsAreFoundWhereTheyHappenAndNothingElseIsCounted) {
    const SlipCase cases[] = {
        {"DropFirst", 200, [](auto s) { return Erase(s, 0, 1); }, 1, Slip::Kind::Missing, 0, 1, 0,
         1, 0},
        {"DropLast", 200, [](auto s) { return Erase(s, 199, 1); }, 1, Slip::Kind::Missing, 199, 1,
         0, 1, 0},
        {"DropNearTheEnd", 200, [](auto s) { return Erase(s, 196, 1); }, 1, Slip::Kind::Missing,
         196, 1, 0, 1, 0},
        {"FlipLast", 200, [](auto s) { return Flip(s, 199); }, 1, Slip::Kind::Changed, 199, 1, 1, 0,
         0},
        {"OverrunLosesABufferful", 10000, [](auto s) { return Erase(s, 4000, 3000); }, 1,
         Slip::Kind::Missing, 4000, 3000, 0, 3000, 0},
        {"NoiseAdded", 400, [](auto s) { return s.insert(100, "\xf1\xf2\xf3\xf4\xf5"); }, 1,
         Slip::Kind::Extra, 100, 5, 0, 0, 5},
        {"StretchReplaced", 400,
         [](auto s) { return s.replace(100, 20, 20, static_cast<char>(0xee)); }, 1,
         Slip::Kind::Changed, 100, 20, 20, 0, 0},
        {"DropThenFlip", 200, [](auto s) { return Erase(Flip(s, 50), 10, 1); }, 2,
         Slip::Kind::Missing, 10, 1, 1, 1, 0},
        {"NothingCame", 200, [](auto) { return std::string(); }, 1, Slip::Kind::Missing, 0, 200, 0,
         200, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::uint8_t bits : {8, 5}) {
            const std::string sent = MakePattern(11, c.size, bits);
            const auto counts = ByteCounts::Compare(sent, c.line(sent));
            ASSERT_EQ(counts.slipCount, c.slipCount) << int(bits);
            ASSERT_EQ(counts.slips.size(), c.slipCount);
            EXPECT_EQ(counts.slips[0].kind, c.firstKind);
            EXPECT_EQ(counts.slips[0].offset, c.firstOffset);
            EXPECT_EQ(counts.slips[0].count, c.firstCount);
            EXPECT_EQ(counts.firstDifference, c.firstOffset);
            EXPECT_EQ(counts.wrong, c.wrong);
            EXPECT_EQ(counts.missing, c.missing);
            EXPECT_EQ(counts.extra, c.extra);
        }
    }
}

TEST(ByteCountsTest, LateBytesAreOneSlipWhereTheyStart) {
    const std::string sent = MakePattern(3, 200, 8);
    const auto counts = ByteCounts::Compare(sent, sent, 150);
    EXPECT_EQ(counts.received, 150u);
    EXPECT_EQ(counts.late, 50u);
    EXPECT_EQ(counts.missing, 0u);
    ASSERT_EQ(counts.slipCount, 1u);
    EXPECT_EQ(counts.slips[0].kind, Slip::Kind::Late);
    EXPECT_EQ(counts.slips[0].offset, 150u);
    EXPECT_FALSE(counts.Intact());
    EXPECT_TRUE(ByteCounts::Compare(sent, sent).Intact());
}

TEST(ByteCountsTest, EverySlipIsCountedAndTheFirstOnesKept) {
    std::string sent = MakePattern(5, 10000, 8);
    std::string received = sent;
    for (std::size_t i = 10; i < received.size(); i += 20) received = Flip(received, i);
    const auto counts = ByteCounts::Compare(sent, received);
    EXPECT_EQ(counts.slipCount, 500u);
    EXPECT_EQ(counts.wrong, 500u);
    EXPECT_EQ(counts.slips.size(), kMaxSlips);
    EXPECT_EQ(counts.slips.back().offset, 10 + 20 * (kMaxSlips - 1));
}

}  // namespace
}  // namespace check
