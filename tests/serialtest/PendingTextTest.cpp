#include "serialtest/PendingText.h"

#include <gtest/gtest.h>

#include <random>

#include "serialtest/ReceiveRenderer.h"

namespace {

using serialtest::PendingText;
using namespace std::chrono_literals;

TEST(PendingText, CollectsRenderedBytesInOrder) {
    PendingText p(100, 10ms);
    EXPECT_TRUE(p.Empty());
    p.Append("H");
    p.Append("i\r\n");
    EXPECT_FALSE(p.Empty());
    EXPECT_EQ(p.Text(), u"Hi[13][10]");
    p.MarkInserted(PendingText::Clock::now());
    EXPECT_TRUE(p.Empty());
    EXPECT_EQ(p.Text(), u"");
}

TEST(PendingText, KeepsExactlyTheMostRecentCharacters) {
    // A long random flood, mixing one- and four-character renderings and
    // runs of every length, must leave the tail of the full rendering,
    // whatever the trimming rhythm.
    for (std::size_t keep : {1u, 7u, 64u, 1000u}) {
        PendingText p(keep, 10ms);
        std::mt19937 random(static_cast<unsigned>(keep));
        std::string bytes;
        while (bytes.size() < 40000) {
            std::string run(random() % (3 * keep + 2), '\0');
            for (char& c : run) c = static_cast<char>(random() % 256);
            bytes += run;
            p.Append(run);
        }
        const std::u16string full = serialtest::ReceiveRenderer::Render(bytes);
        ASSERT_EQ(p.Text().size(), keep);
        EXPECT_EQ(p.Text(), std::u16string_view(full).substr(full.size() - keep))
            << "keep " << keep;
    }
}

TEST(PendingText, InsertsAtOnceAfterQuietAndOncePerIntervalInAFlood) {
    PendingText p(100, 10ms);
    const auto t0 = PendingText::Clock::now();
    EXPECT_EQ(p.Delay(t0), 0ms);  // never inserted: at once
    p.Append("a");
    p.MarkInserted(t0);
    struct Case {
        std::chrono::milliseconds after;
        std::chrono::milliseconds delay;
    };
    const Case cases[] = {{0ms, 10ms}, {3ms, 7ms}, {10ms, 0ms}, {250ms, 0ms}};
    for (const auto& c : cases)
        EXPECT_EQ(p.Delay(t0 + c.after), c.delay) << c.after.count() << " ms";
}

}  // namespace
