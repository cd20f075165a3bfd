// Bytes through a pseudo-terminal in both directions, the notification
// messages, the flow limit, the loopback line and the loss of a device.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>

#include "PtyPair.h"
#include "platform/serial/Serial.h"
#include "support/CaptureStderr.h"

namespace serial {
namespace {

using namespace std::chrono_literals;
using testing::DrainAll;
using testing::DrainAtLeast;
using testing::NotifyRecorder;
using testing::PtyPair;
using testing::PumpFor;
using testing::PumpUntil;
using testing::ScopedPortMap;

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes;
}

// A byte sequence whose every prefix differs from its shifts, so a lost,
// doubled or reordered byte shows.
std::string Pattern(std::size_t size) {
    std::string s(size, '\0');
    std::uint32_t x = 12345;
    for (auto& c : s) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    return s;
}

// CPU time the process uses while the event loop runs for `wall`. An idle
// loop uses next to none; one woken by a descriptor that is always ready
// uses all of it.
long CpuMicrosDuring(std::chrono::milliseconds wall) {
    const auto cpu = [] {
        rusage r{};
        ::getrusage(RUSAGE_SELF, &r);
        return (r.ru_utime.tv_sec + r.ru_stime.tv_sec) * 1000000L + r.ru_utime.tv_usec +
               r.ru_stime.tv_usec;
    };
    const long before = cpu();
    PumpFor(wall);
    return cpu() - before;
}

class SerialIoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty_.Ok());
        recorder_.port = &port_;
        ASSERT_TRUE(port_.Open("Com5"));
        ASSERT_TRUE(port_.SetProtocol()) << port_.ErrorDesc();
    }
    PtyPair pty_;
    ScopedPortMap map_{"Com5", pty_.Path()};
    NotifyRecorder recorder_;
    Serial port_{recorder_.Handle()};
};

TEST_F(SerialIoTest, EveryByteValuePassesUnchangedBothWays) {
    // Raw mode: no CR/LF translation, no flow-control characters, no echo.
    const std::string bytes = AllByteValues() + "\r\n\n\r" + AllByteValues();
    recorder_.drain = true;
    port_.EnableEvents(EV_RXCHAR);
    ASSERT_TRUE(pty_.Send(bytes));
    ASSERT_TRUE(PumpUntil([&] { return recorder_.received.size() >= bytes.size(); }));
    EXPECT_EQ(recorder_.received, bytes);

    port_.Write(bytes);
    EXPECT_EQ(pty_.Receive(bytes.size()), bytes);
    EXPECT_EQ(pty_.Receive(1, 50ms), "") << "nothing echoed back by the line";
}

TEST_F(SerialIoTest, ReadTakesBytesFromTheFront) {
    ASSERT_TRUE(pty_.Send("abcdef"));
    ASSERT_TRUE(PumpUntil([&] { return port_.ReceiverPending() == 6; }));
    EXPECT_EQ(port_.Read(1), "a");
    EXPECT_EQ(port_.ReceiverPending(), 5u);
    EXPECT_EQ(port_.Read(3), "bcd");
    EXPECT_EQ(port_.Read(10), "ef");
    EXPECT_EQ(port_.ReceiverPending(), 0u);
    EXPECT_EQ(port_.Read(1), "");
}

TEST_F(SerialIoTest, NoNotificationBeforeEventsAreEnabled) {
    ASSERT_TRUE(pty_.Send("xy"));
    PumpFor(100ms);
    EXPECT_EQ(recorder_.notifications, 0);
    // Enabling with bytes already waiting announces them.
    port_.EnableEvents(EV_RXCHAR);
    ASSERT_TRUE(PumpUntil([&] { return recorder_.notifications == 1; }));
    EXPECT_EQ(DrainAtLeast(port_, 2), "xy");
}

TEST_F(SerialIoTest, NotificationsAreCoalescedUntilTheReaderLooks) {
    port_.EnableEvents(EV_RXCHAR);
    ASSERT_TRUE(pty_.Send("a"));
    ASSERT_TRUE(PumpUntil([&] { return recorder_.notifications == 1; }));
    // More bytes while the first notification is unanswered: no new post.
    ASSERT_TRUE(pty_.Send("bcd"));
    PumpFor(100ms);
    EXPECT_EQ(recorder_.notifications, 1);
    const std::string first = DrainAll(port_);
    EXPECT_EQ(first + DrainAtLeast(port_, 4 - first.size()), "abcd");
    if (first == "abcd") {
        // Nothing arrived since the drain, so nothing may be announced.
        PumpFor(50ms);
        EXPECT_EQ(recorder_.notifications, 1) << "a drained queue needs no notification";
    }
    const int beforeNext = recorder_.notifications;

    // After the drain the next byte is announced again.
    ASSERT_TRUE(pty_.Send("e"));
    ASSERT_TRUE(PumpUntil([&] { return recorder_.notifications > beforeNext; }));
    EXPECT_EQ(DrainAtLeast(port_, 1), "e");
}

TEST_F(SerialIoTest, ReaderThatStopsEarlyIsNotifiedAgain) {
    recorder_.drain = true;
    recorder_.perNotification = 2;
    port_.EnableEvents(EV_RXCHAR);
    ASSERT_TRUE(pty_.Send("12345"));
    ASSERT_TRUE(PumpUntil([&] { return recorder_.received.size() == 5; }))
        << "got " << recorder_.received;
    EXPECT_EQ(recorder_.received, "12345");
    EXPECT_GE(recorder_.notifications, 3);
}

TEST_F(SerialIoTest, EventsOffStopsNotifications) {
    port_.EnableEvents(EV_RXCHAR);
    port_.EnableEvents(0);
    ASSERT_TRUE(pty_.Send("z"));
    PumpFor(50ms);
    EXPECT_EQ(recorder_.notifications, 0);
    EXPECT_EQ(DrainAtLeast(port_, 1), "z");
}

TEST_F(SerialIoTest, FloodIsHeldBackNotBufferedWithoutBound) {
    // 3 MiB without a reader: the component must stop taking bytes at its
    // cap and let the line push back, then deliver every byte once drained.
    const std::string flood = Pattern(3 * 1024 * 1024);
    std::size_t sent = 0;
    std::uint32_t peak = 0;
    PumpUntil(
        [&] {
            sent += pty_.SendSome(flood.data() + sent, flood.size() - sent);
            return sent == flood.size();
        },
        300ms);
    EXPECT_LT(sent, flood.size()) << "the line never pushed back";
    // Held back with a full queue, the component must not keep polling the
    // device that still has bytes for it.
    const long cpuHeld = CpuMicrosDuring(200ms);
    EXPECT_LT(cpuHeld, 100000L) << "event loop busy while the queue is full";
    peak = port_.ReceiverPending();
    EXPECT_GT(peak, 0u);
    EXPECT_LE(peak, 256u * 1024u);

    std::string got;
    ASSERT_TRUE(PumpUntil(
        [&] {
            sent += pty_.SendSome(flood.data() + sent, flood.size() - sent);
            const std::uint32_t pending = port_.ReceiverPending();
            peak = std::max(peak, pending);
            got += port_.Read(pending);
            return got.size() == flood.size();
        },
        20s))
        << "received " << got.size() << " of " << flood.size();
    EXPECT_LE(peak, 256u * 1024u);
    EXPECT_TRUE(got == flood) << "bytes lost or reordered";
}

TEST_F(SerialIoTest, LostDeviceIsReportedOnceAndStaysQuiet) {
    port_.EnableEvents(EV_RXCHAR);
    testsupport::StderrCapture capture;
    pty_.CloseFarEnd();
    const bool lost = PumpUntil([&] { return port_.IsLost(); });
    const long cpuAfterLoss = CpuMicrosDuring(300ms);
    port_.Write("into the void");
    PumpFor(50ms);
    const std::string err = capture.Take();

    ASSERT_TRUE(lost);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("Com5"), std::string::npos) << err;
    EXPECT_NE(err.find("device lost"), std::string::npos) << err;
    EXPECT_EQ(recorder_.notifications, 0);
    // A hung-up descriptor left in the event loop would spin it: the loop
    // must stay idle once the loss is noticed.
    EXPECT_LT(cpuAfterLoss, 100000L) << "event loop busy after the loss";
    EXPECT_TRUE(port_.IsOpen());
    EXPECT_FALSE(port_.SetProtocol());
    EXPECT_NE(port_.ErrorDesc().find("lost"), std::string::npos) << port_.ErrorDesc();
    port_.Close();
    EXPECT_FALSE(port_.IsOpen());
    EXPECT_FALSE(port_.IsLost());
}

TEST_F(SerialIoTest, LossWhileHeldBackStaysQuietAfterTheDrain) {
    // The queue is full and the device unwatched when the far end goes. A
    // write notices the loss at once; draining the queue afterwards must not
    // start watching the dead device again, and what arrived stays intact.
    const std::string flood = Pattern(1024 * 1024);
    std::size_t sent = 0;
    PumpUntil(
        [&] {
            sent += pty_.SendSome(flood.data() + sent, flood.size() - sent);
            return false;
        },
        200ms);
    ASSERT_LT(sent, flood.size());
    testsupport::StderrCapture capture;
    pty_.CloseFarEnd();
    port_.Write("x");
    const bool lostOnWrite = port_.IsLost();
    const std::string got = DrainAll(port_);
    const long cpuAfterDrain = CpuMicrosDuring(200ms);
    const std::string err = capture.Take();
    ASSERT_TRUE(lostOnWrite);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_LT(cpuAfterDrain, 100000L) << "event loop busy after the loss";
    EXPECT_GE(got.size(), 128u * 1024u);
    EXPECT_TRUE(flood.compare(0, got.size(), got) == 0) << "received bytes are not a prefix";
}

TEST_F(SerialIoTest, TransmitBacklogIsBoundedAndKeepsOrder) {
    // The far end reads nothing, so writes pile up; past the limit the rest
    // is dropped (once reported), never reordered. The kernel takes more of
    // the backlog while the writes go on, which must not let a later write
    // through after a dropped one.
    const std::string data = Pattern(1536 * 1024);
    testsupport::StderrCapture capture;
    for (std::size_t at = 0; at < data.size(); at += 4096) port_.Write(data.substr(at, 4096));
    const std::string err = capture.Take();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("transmit queue full"), std::string::npos) << err;

    // At least the backlog's limit arrives; then the rest, until the line
    // falls quiet.
    std::string got = pty_.Receive(1024 * 1024);
    got += pty_.Receive(data.size(), 100ms);
    EXPECT_GE(got.size(), 1024u * 1024u);
    EXPECT_LT(got.size(), data.size());
    EXPECT_TRUE(data.compare(0, got.size(), got) == 0) << "sent bytes are not a prefix";

    // Once the backlog has gone out, writing works again: a word written
    // over and over arrives after the rest of the backlog, never inside it.
    const std::string word = "after";
    const auto endsWithWord = [&](const std::string& s) {
        return s.size() >= word.size() && s.compare(s.size() - word.size(), word.size(), word) == 0;
    };
    ASSERT_TRUE(PumpUntil([&] {
        port_.Write(word);
        got += pty_.Receive(data.size(), 0ms);
        return endsWithWord(got);
    }));
    while (endsWithWord(got)) got.resize(got.size() - word.size());
    EXPECT_TRUE(data.compare(0, got.size(), got) == 0) << "the backlog's tail is not a prefix";
}

TEST(SerialLossTest, SameNameOpensAgainOnceTheDeviceIsBack) {
    // A stable name for a device that comes and goes, as /dev/serial/by-id
    // gives for a USB adapter.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path link = dir.filePath("by-id-adapter").toStdString();
    auto first = std::make_unique<PtyPair>();
    ASSERT_TRUE(first->Ok());
    std::filesystem::create_symlink(first->Path(), link);
    ScopedPortMap map("Com7", link.string());

    NotifyRecorder recorder;
    Serial port(recorder.Handle());
    recorder.port = &port;
    recorder.drain = true;
    ASSERT_TRUE(port.Open("Com7"));
    port.EnableEvents(EV_RXCHAR);

    testsupport::StderrCapture capture;
    first.reset();
    const bool lost = PumpUntil([&] { return port.IsLost(); });
    capture.Take();
    ASSERT_TRUE(lost);

    PtyPair second;
    ASSERT_TRUE(second.Ok());
    std::filesystem::remove(link);
    std::filesystem::create_symlink(second.Path(), link);
    ASSERT_TRUE(port.Open("Com7")) << port.ErrorDesc();
    EXPECT_FALSE(port.IsLost());
    ASSERT_TRUE(second.Send("back"));
    ASSERT_TRUE(PumpUntil([&] { return recorder.received == "back"; })) << recorder.received;
    port.Write("hello");
    EXPECT_EQ(second.Receive(5), "hello");
}

TEST(SerialLoopbackTest, EchoesEverythingWritten) {
    ScopedPortMap map("Com1", "loop");
    NotifyRecorder recorder;
    Serial port(recorder.Handle());
    recorder.port = &port;
    recorder.drain = true;
    ASSERT_TRUE(port.Open("Com1")) << port.ErrorDesc();
    ASSERT_TRUE(port.SetProtocol()) << port.ErrorDesc();
    port.EnableEvents(EV_RXCHAR);

    const std::string keys = std::string(
                                 "\x10"
                                 "A\r\n\x1b"
                                 "d0",
                                 7) +
                             AllByteValues();
    port.Write(keys);
    ASSERT_TRUE(PumpUntil([&] { return recorder.received.size() >= keys.size(); }));
    EXPECT_EQ(recorder.received, keys);

    // Much more than the line buffers hold at once: the echo must push back
    // rather than drop.
    recorder.received.clear();
    const std::string bulk = Pattern(600 * 1024);
    port.Write(bulk);
    ASSERT_TRUE(PumpUntil([&] { return recorder.received.size() >= bulk.size(); }, 20s))
        << recorder.received.size();
    EXPECT_TRUE(recorder.received == bulk);

    // The frame of a plug: 7 data bits lose each byte's top bit on the way
    // back; parity and stop bits change no byte.
    struct Frame {
        std::uint8_t parity;
        std::uint8_t byteSize;
        std::uint8_t stopBits;
        unsigned char mask;
    };
    for (const Frame& f : {Frame{2, 7, 0, 0x7f}, Frame{1, 8, 2, 0xff}}) {
        port.SetParity(f.parity);
        port.SetByteSize(f.byteSize);
        port.SetStopBits(f.stopBits);
        ASSERT_TRUE(port.SetProtocol()) << port.ErrorDesc();
        std::string carried = AllByteValues();
        for (char& c : carried) c = static_cast<char>(static_cast<unsigned char>(c) & f.mask);
        recorder.received.clear();
        port.Write(AllByteValues());
        ASSERT_TRUE(PumpUntil([&] { return recorder.received.size() >= carried.size(); }));
        EXPECT_EQ(recorder.received, carried) << int{f.byteSize} << " data bits";
    }

    // Two loopback ports are two separate lines.
    Serial other(0);
    ASSERT_TRUE(other.Open("Com1"));
    other.Write("solo");
    ASSERT_TRUE(PumpUntil([&] { return other.ReceiverPending() == 4; }));
    PumpFor(30ms);
    EXPECT_EQ(port.ReceiverPending(), 0u);
    EXPECT_EQ(DrainAll(other), "solo");
}

}  // namespace
}  // namespace serial
