#include "platform/serial/ByteRing.h"

#include <gtest/gtest.h>

#include <cstring>

namespace serial {
namespace {

std::string Bytes(std::size_t n, std::size_t start) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>((start + i) * 7 % 256);
    return s;
}

TEST(ByteRingTest, CapacityRoundsUpToPowerOfTwo) {
    EXPECT_EQ(ByteRing(0).Capacity(), 16u);
    EXPECT_EQ(ByteRing(16).Capacity(), 16u);
    EXPECT_EQ(ByteRing(17).Capacity(), 32u);
    EXPECT_EQ(ByteRing(1000).Capacity(), 1024u);
}

TEST(ByteRingTest, KeepsOrderAcrossManyWrapArounds) {
    // Push and pop in uneven steps so the ring's end falls inside pushes,
    // inside multi-byte pops and between single-byte pops.
    ByteRing queue(64);
    std::string expected;
    std::string got;
    std::size_t produced = 0;
    const std::size_t pushes[] = {50, 13, 64, 7, 33, 1, 63};
    const std::size_t pops[] = {1, 40, 1, 1, 20, 64, 3};
    for (int round = 0; round < 20; ++round) {
        for (std::size_t k = 0; k < std::size(pushes); ++k) {
            const std::string chunk = Bytes(pushes[k], produced);
            const std::size_t freeBefore = queue.Free();
            const std::size_t taken = queue.Push(chunk.data(), chunk.size());
            EXPECT_EQ(taken, std::min(chunk.size(), freeBefore));
            expected += chunk.substr(0, taken);
            produced += taken;
            got += queue.PopFront(pops[k]);
            EXPECT_EQ(queue.Size(), expected.size() - got.size());
        }
    }
    got += queue.PopFront(queue.Size());
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(queue.Empty());
}

TEST(ByteRingTest, FullQueueTakesNothingMore) {
    ByteRing queue(16);
    const std::string data = Bytes(20, 0);
    EXPECT_EQ(queue.Push(data.data(), data.size()), 16u);
    EXPECT_EQ(queue.Free(), 0u);
    EXPECT_EQ(queue.WritableSpan().size, 0u);
    EXPECT_EQ(queue.Push("x", 1), 0u);
    EXPECT_EQ(queue.PopFront(100), data.substr(0, 16));
    EXPECT_EQ(queue.PopFront(1), "");
}

TEST(ByteRingTest, WritableSpanIsContiguousUpToTheRingEnd) {
    ByteRing queue(16);
    const std::string first = Bytes(12, 0);
    queue.Push(first.data(), first.size());
    queue.PopFront(10);
    // Tail at 12 of 16: the span ends at the ring end, the rest comes next.
    auto span = queue.WritableSpan();
    ASSERT_EQ(span.size, 4u);
    std::memcpy(span.data, "ABCD", 4);
    queue.Commit(4);
    span = queue.WritableSpan();
    ASSERT_EQ(span.size, 10u);
    std::memcpy(span.data, "EF", 2);
    queue.Commit(2);
    EXPECT_EQ(queue.PopFront(100), first.substr(10) + "ABCDEF");
}

TEST(ByteRingTest, ReadableSpanRunsToTheRingEndAndDropTakesInPlace) {
    ByteRing ring(16);
    EXPECT_EQ(ring.ReadableSpan().size, 0u) << "empty";
    const std::string first = Bytes(14, 0);
    ring.Push(first.data(), first.size());
    ring.Drop(10);
    const std::string second = Bytes(8, 14);
    ASSERT_EQ(ring.Push(second.data(), second.size()), 8u);
    // Head at 10 of 16, 12 bytes held: the first run ends at the ring end.
    auto span = ring.ReadableSpan();
    ASSERT_EQ(span.size, 6u);
    EXPECT_EQ(std::string(span.data, span.size), (first + second).substr(10, 6));
    ring.Drop(6);
    span = ring.ReadableSpan();
    ASSERT_EQ(span.size, 6u);
    EXPECT_EQ(std::string(span.data, span.size), second.substr(2));
    ring.Drop(100);
    EXPECT_TRUE(ring.Empty()) << "Drop past the end takes what is there";
    EXPECT_EQ(ring.Free(), 16u);
}

}  // namespace
}  // namespace serial
