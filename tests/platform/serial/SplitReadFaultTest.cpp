// All 256 byte values across every split into two reads and every uniform
// chunking: each piece is read before the next is sent, so each boundary
// falls between device reads, and the bytes must come out exactly as sent.
#include <gtest/gtest.h>

#include "PtyPair.h"
#include "platform/serial/Serial.h"

namespace serial {
namespace {

using testing::DrainAtLeast;
using testing::PtyPair;
using testing::ScopedPortMap;

std::string AllBytes() {
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<char>(i);
    return all;
}

class SplitReadFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.Ok());
        ASSERT_TRUE(port_.Open("Com5"));
        port_.SetBaud(9600);
        port_.SetParity(0);
        port_.SetByteSize(8);
        port_.SetStopBits(0);
        ASSERT_TRUE(port_.SetProtocol()) << port_.ErrorDesc();
    }

    // Sends `all` in pieces ending at each of `ends`, reading each piece
    // back before sending the next; the bytes received in total.
    std::string SendInPieces(const std::string& all, const std::vector<std::size_t>& ends) {
        std::string got;
        std::size_t from = 0;
        for (std::size_t to : ends) {
            if (!pty_.Send(all.substr(from, to - from))) break;
            got += DrainAtLeast(port_, to - from);
            if (got.size() != to) break;
            from = to;
        }
        return got;
    }

    PtyPair pty_;
    ScopedPortMap map_{"Com5", pty_.Path()};
    Serial port_{0};
};

TEST_F(SplitReadFaultTest, EverySplitIntoTwoReads) {
    const std::string all = AllBytes();
    for (std::size_t at = 1; at < all.size(); ++at) {
        SCOPED_TRACE(at);
        ASSERT_EQ(SendInPieces(all, {at, all.size()}), all);
    }
}

TEST_F(SplitReadFaultTest, EveryUniformChunking) {
    const std::string all = AllBytes();
    for (std::size_t size = 1; size <= all.size(); ++size) {
        SCOPED_TRACE(size);
        std::vector<std::size_t> ends;
        for (std::size_t at = size; at < all.size(); at += size) ends.push_back(at);
        ends.push_back(all.size());
        ASSERT_EQ(SendInPieces(all, ends), all);
    }
}

}  // namespace
}  // namespace serial
