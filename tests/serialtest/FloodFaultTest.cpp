// Floods and awkward splits on a real pseudo-terminal: ten mebibytes that
// never break a line must leave the window responsive and its memory
// bounded, and every byte value must show the same however the line splits
// it across reads.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <fstream>
#include <memory>
#include <vector>

#include "FarEnd.h"
#include "serialtest/PaneConstants.h"
#include "serialtest/ReceiveRenderer.h"
#include "serialtest/SerialMLE.h"

#if defined(__SANITIZE_ADDRESS__)
#define COMTEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define COMTEST_ASAN 1
#endif
#endif

namespace {

using namespace std::chrono_literals;
using serialtest::SerialMLE;
using serialtest::testing::FarEnd;
using serialtest::testing::RunUntil;

QString Rendered(std::string_view bytes) {
    const std::u16string text = serialtest::ReceiveRenderer::Render(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Resident set size of this process in bytes.
long ResidentBytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

class FloodFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        far_ = std::make_unique<FarEnd>("Com7");
        ASSERT_TRUE(far_->Ok());
        pane_ = std::make_unique<SerialMLE>();
        pane_->View()->resize(400, 200);
        pane_->View()->show();
        ASSERT_TRUE(pane_->Device()->Open("Com7"));
        pane_->Device()->EnableEvents(serial::EV_RXCHAR);
        pane_->SetFocus();
    }
    void TearDown() override {
        pane_.reset();
        far_.reset();
    }

    std::unique_ptr<FarEnd> far_;
    std::unique_ptr<SerialMLE> pane_;
};

TEST_F(FloodFaultTest, TenMebibytesWithoutALineBreak) {
    // Printable bytes from a generator, so the tail the pane keeps identifies
    // exactly where in the flood it came from.
    std::string flood(10 * 1024 * 1024, '\0');
    std::uint32_t state = 12345;
    for (char& c : flood) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>('!' + (state >> 24) % 94);
    }
    const QString tail = Rendered(flood).right(static_cast<qsizetype>(serialtest::kPaneTextCap));

    // The window's loop keeps turning: a timer meant to fire every 5 ms
    // records the longest time it had to wait.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    const long residentBefore = ResidentBytes();
    sinceTick.start();
    ticker.start(5);
    ASSERT_TRUE(far_->Send(flood, 300s)) << "the pane stopped taking the flood";
    ASSERT_TRUE(RunUntil([&] { return pane_->Value() == tail; }, 30s))
        << "the pane does not end with the flood's last bytes";
    ticker.stop();
    const long residentGrowth = ResidentBytes() - residentBefore;

    EXPECT_EQ(pane_->Value().size(), static_cast<qsizetype>(serialtest::kPaneTextCap));
    EXPECT_EQ(pane_->Device()->ReceiverPending(), 0u);
    // A window that rendered or inserted the whole flood at once would stall
    // for seconds; this bound only catches that, not a slow machine.
    EXPECT_LT(longestGap, 2000) << "the event loop was blocked for " << longestGap << " ms";
#ifndef COMTEST_ASAN
    // The sanitizer holds freed memory back on purpose, so the bound only
    // means something in an ordinary build. Text, rendering and queues are
    // each capped far below this.
    EXPECT_LT(residentGrowth, 48L * 1024 * 1024) << "memory grew with the flood";
#else
    (void)residentGrowth;
#endif
}

TEST_F(FloodFaultTest, EveryByteValueShowsTheSameHoweverReadsSplitIt) {
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<char>(i);
    const QString expected = Rendered(all);

    // Chunkings of the 256 bytes: split points around the renderer's width
    // classes (one digit, two digits, printable, the code page's upper half)
    // and uniform pieces. Each piece is shown before the next is sent, so
    // every piece comes in reads of its own.
    std::vector<std::vector<std::size_t>> schedules;
    for (std::size_t at : {1u, 9u, 10u, 31u, 32u, 127u, 128u, 255u}) schedules.push_back({at});
    for (std::size_t size : {3u, 64u, 100u}) {
        std::vector<std::size_t> cuts;
        for (std::size_t at = size; at < 256; at += size) cuts.push_back(at);
        schedules.push_back(cuts);
    }
    for (const auto& cuts : schedules) {
        SCOPED_TRACE(::testing::PrintToString(cuts));
        pane_->SetValue("");
        std::size_t from = 0;
        std::vector<std::size_t> ends = cuts;
        ends.push_back(256);
        for (std::size_t to : ends) {
            ASSERT_TRUE(far_->Send(std::string_view(all).substr(from, to - from)));
            const QString prefix = Rendered(std::string_view(all).substr(0, to));
            ASSERT_TRUE(RunUntil([&] { return pane_->Value() == prefix; }))
                << "after byte " << to << " the pane shows " << pane_->Value().toStdString();
            from = to;
        }
        EXPECT_EQ(pane_->Value(), expected);
    }
}

}  // namespace
