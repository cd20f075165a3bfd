#include "platform/serial/Serial.h"

#include <QMetaObject>
#include <QSocketNotifier>
#include <cstdio>
#include <cstring>

#include "platform/os/StderrLine.h"
#include "platform/serial/ByteRing.h"
#include "platform/serial/DeviceReturn.h"
#include "platform/serial/LineSettings.h"
#include "platform/serial/LoopbackLine.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/PosixLine.h"
#include "platform/serial/SerialTexts.h"

namespace serial {
namespace {

// Received bytes held for the reader at most. At the cap the device is no
// longer read, so a flood waits in the kernel (and, on lines with flow
// control, at the sender) instead of in memory.
constexpr std::size_t kReceiveCapacity = 256 * 1024;
// Reading resumes once the reader has taken the queue down to this.
constexpr std::size_t kResumeLevel = kReceiveCapacity / 2;
// Bytes waiting to be sent at most. A write that does not fit is cut and
// everything after it dropped until the backlog has gone out, so the far end
// sees one gap and never bytes from after it ahead of bytes before it.
constexpr std::size_t kTransmitLimit = 1024 * 1024;

void ReportLine(const std::string& text) {
    os::StderrLine(text);
}

}  // namespace

// All of the component's state; lives on the thread that created the Serial,
// where the notifiers deliver readiness. The device side is PosixLine watched
// through QSocketNotifier; a Windows build would put a line class of its own
// and an event-handle notifier here, and is not built yet.
class Serial::Impl {
  public:
    explicit Impl(Serial* owner, os::HWND window)
        : owner_(owner),
          window_(window),
          return_(
              owner, [this](const SerialDevice& device) { return Resume(device); },
              [this](const SerialDevice& device, const std::string& reason) {
                  // The node found back, which another device may have
                  // replaced at the one the port used before.
                  ReportLine(portName_ + " (" + device.node +
                             "): " + std::string(texts::kCannotResume) + ": " + reason);
              }) {}
    ~Impl() {
        // The owner is going: nobody is told.
        destroying_ = true;
        Close();
    }

    bool Open(const std::string& portName);
    void Close();
    // A lost port counts as open until Close: its test goes on.
    bool IsOpen() const { return line_.IsOpen() || lost_; }
    bool IsLost() const { return lost_; }
    bool SetProtocol();
    void EnableEvents(std::uint32_t mask);
    void StopEvents() { eventMask_ = 0; }
    std::uint32_t ReceiverPending();
    std::string Read(std::uint32_t count);
    void Write(const std::string& bytes);

    LineSettings settings;
    std::string errorDesc;

  private:
    // "Com3 (/dev/ttyS2)": how lines on standard error name the port.
    std::string PortLabel() const;
    void OnReadable();
    void OnWritable();
    void FlushTransmit();
    void Lose(int error);
    // Watches the open descriptor for readiness.
    void WatchLine();
    // Opens the returned device of a lost port and goes on where the test
    // was; a failure says why not.
    rt::Expected<> Resume(const SerialDevice& device);
    // The reader has looked at the queue: a notification it was sent counts
    // as handled, and reading may resume if it was paused.
    void ReaderActive();
    void Notify();
    void ScheduleCheck();

    Serial* owner_;
    os::HWND window_;
    std::string portName_;
    std::string device_;  // as the port map names it: a path or "loop"
    PosixLine line_;
    std::unique_ptr<LoopbackLine> loopback_;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
    ByteRing queue_{kReceiveCapacity};
    ByteRing transmit_{kTransmitLimit};
    std::uint32_t eventMask_ = 0;
    bool lost_ = false;
    bool paused_ = false;
    bool notified_ = false;  // a notification is posted and the reader has not looked yet
    bool checkScheduled_ = false;
    bool dropping_ = false;         // the backlog overflowed and has not drained since
    std::string identity_;          // of the device opened; empty when it has none
    bool protocolApplied_ = false;  // SetProtocol succeeded since Open
    DeviceReturn return_;           // a lost device of the tree is awaited
    bool destroying_ = false;
};

std::string Serial::Impl::PortLabel() const {
    return device_.empty() ? portName_ : portName_ + " (" + device_ + ")";
}

bool Serial::Impl::Open(const std::string& portName) {
    Close();
    portName_ = portName;
    const PortMap& map = PortMap::Current();
    device_ = map.DeviceFor(portName);
    const std::string& device = device_;
    std::string reason;
    std::string path = device;
    if (device.empty()) {
        reason = std::string(map.UnmappedReason());
    } else if (device == texts::kLoopDevice) {
        loopback_ = std::make_unique<LoopbackLine>();
        if (const auto created = loopback_->Create(); !created)
            reason = std::string(texts::kLoopbackFailed) + ": " + created.Error();
        path = loopback_->DevicePath();
    }
    if (reason.empty()) {
        if (const auto opened = line_.Open(path); !opened) reason = opened.Error();
    }
    if (!reason.empty()) {
        loopback_.reset();
        errorDesc = "Cannot open " + PortLabel() + ": " + reason;
        ReportLine("cannot open " + PortLabel() + ": " + reason);
        return false;
    }
    if (loopback_) {
        line_.AttachPlug(loopback_->Plug());
        loopback_->Start();
    }
    errorDesc.clear();
    identity_ = map.IdentityFor(portName);
    WatchLine();
    return true;
}

void Serial::Impl::WatchLine() {
    readable_ = std::make_unique<QSocketNotifier>(line_.Handle(), QSocketNotifier::Read);
    writable_ = std::make_unique<QSocketNotifier>(line_.Handle(), QSocketNotifier::Write);
    writable_->setEnabled(false);
    QObject::connect(readable_.get(), &QSocketNotifier::activated, owner_,
                     [this] { OnReadable(); });
    QObject::connect(writable_.get(), &QSocketNotifier::activated, owner_,
                     [this] { OnWritable(); });
}

void Serial::Impl::Close() {
    readable_.reset();
    writable_.reset();
    line_.Close();
    loopback_.reset();
    queue_.Clear();
    transmit_.Clear();
    const bool wasLost = lost_;
    lost_ = paused_ = notified_ = dropping_ = protocolApplied_ = false;
    identity_.clear();
    return_.Stop();
    if (wasLost && !destroying_) emit owner_->LostChanged(false, QString());
}

bool Serial::Impl::SetProtocol() {
    if (lost_) {
        errorDesc = "The port " + PortLabel() + " is lost";
        return false;
    }
    if (!line_.IsOpen()) {
        errorDesc = std::string(texts::kNotOpen);
        return false;
    }
    if (const auto valid = ValidSettings(settings); !valid) {
        errorDesc = valid.Error();
        return false;
    }
    const auto applied = line_.Apply(settings);
    if (!applied) {
        errorDesc = applied.Error();
        return false;
    }
    errorDesc = DescribeRefusal(line_.Path(), settings, *applied);
    protocolApplied_ = errorDesc.empty();
    return protocolApplied_;
}

void Serial::Impl::EnableEvents(std::uint32_t mask) {
    eventMask_ = mask;
    // Bytes may already wait; they deserve a notification too.
    ScheduleCheck();
}

std::uint32_t Serial::Impl::ReceiverPending() {
    ReaderActive();
    return static_cast<std::uint32_t>(queue_.Size());
}

std::string Serial::Impl::Read(std::uint32_t count) {
    std::string bytes = queue_.PopFront(count);
    ReaderActive();
    return bytes;
}

void Serial::Impl::ReaderActive() {
    if (notified_) {
        notified_ = false;
        // Should the reader stop before the queue is empty, the check posts
        // again once the current event is done, so no waiting byte is
        // forgotten.
        ScheduleCheck();
    }
    if (paused_ && !lost_ && queue_.Size() <= kResumeLevel) {
        paused_ = false;
        readable_->setEnabled(true);
    }
}

void Serial::Impl::ScheduleCheck() {
    if (checkScheduled_) return;
    checkScheduled_ = true;
    QMetaObject::invokeMethod(
        owner_,
        [this] {
            checkScheduled_ = false;
            Notify();
        },
        Qt::QueuedConnection);
}

void Serial::Impl::Notify() {
    if (notified_ || queue_.Empty() || (eventMask_ & EV_RXCHAR) == 0) return;
    notified_ = os::PostMessageA(window_, os::WM_COMMNOTIFY, 0, 0);
}

void Serial::Impl::OnReadable() {
    // Take what the kernel holds, up to the cap, in as few calls as the
    // ring's wrap allows.
    while (true) {
        const ByteRing::Span span = queue_.WritableSpan();
        if (span.size == 0) {
            paused_ = true;
            readable_->setEnabled(false);
            break;
        }
        const IoResult r = line_.Read(span.data, span.size);
        if (r.status == IoResult::Status::Lost) {
            Lose(r.error);
            break;
        }
        if (r.status == IoResult::Status::WouldBlock) break;
        queue_.Commit(r.bytes);
        if (r.bytes < span.size) break;
    }
    Notify();
}

void Serial::Impl::OnWritable() {
    FlushTransmit();
}

void Serial::Impl::FlushTransmit() {
    while (!transmit_.Empty()) {
        const ByteRing::Span front = transmit_.ReadableSpan();
        const IoResult r = line_.Write(front.data, front.size);
        if (r.status == IoResult::Status::Lost) {
            Lose(r.error);
            return;
        }
        if (r.status == IoResult::Status::WouldBlock || r.bytes == 0) break;
        transmit_.Drop(r.bytes);
    }
    if (transmit_.Empty()) dropping_ = false;
    if (writable_) writable_->setEnabled(!transmit_.Empty());
}

void Serial::Impl::Write(const std::string& bytes) {
    if (!line_.IsOpen() || lost_ || bytes.empty()) return;
    if (dropping_) return;
    if (bytes.size() > transmit_.Free()) {
        // The kernel may take more of the backlog before the next write;
        // accepting that write would send it after a hole in this one.
        dropping_ = true;
        ReportLine(PortLabel() + ": " + std::string(texts::kTransmitOverflow));
    }
    transmit_.Push(bytes.data(), bytes.size());
    FlushTransmit();
}

void Serial::Impl::Lose(int error) {
    if (lost_) return;
    lost_ = true;
    paused_ = false;
    // A hung-up descriptor stays readable for ever, and kept open it may
    // keep the old node's number in use, so the adapter would come back
    // under another name: stop watching it and close it. Bytes already
    // received stay readable. The loss is often found in a notifier's own
    // signal, so the notifiers go once that is done.
    for (auto* notifier : {&readable_, &writable_}) {
        (*notifier)->setEnabled(false);
        notifier->release()->deleteLater();
    }
    line_.Close();
    transmit_.Clear();
    std::string line = PortLabel() + ": " + std::string(texts::kDeviceLost);
    if (error != 0) line += std::string(" (") + std::strerror(error) + ")";
    ReportLine(line);
    return_.Await(identity_);
    emit owner_->LostChanged(true, QString::fromStdString(line));
}

rt::Expected<> Serial::Impl::Resume(const SerialDevice& device) {
    // Received bytes still waiting from before the loss stay in the queue;
    // keys typed meanwhile were never queued. The lost descriptor was
    // closed; the returned device is opened afresh.
    if (auto opened = line_.Open(device.node); !opened) return opened;
    if (protocolApplied_) {
        const auto applied = line_.Apply(settings);
        if (!applied) ReportLine(PortLabel() + ": " + applied.Error());
    }
    // The node in use now, which may differ from the one the port was
    // mapped to when another device took that name meanwhile.
    device_ = device.node;
    lost_ = paused_ = notified_ = false;
    transmit_.Clear();
    WatchLine();
    const std::string line = PortLabel() + ": " + std::string(texts::kDeviceBack);
    ReportLine(line);
    ScheduleCheck();
    emit owner_->LostChanged(false, QString::fromStdString(line));
    return {};
}

Serial::Serial(os::HWND notifyWindow, QObject* parent)
    : QObject(parent), impl_(std::make_unique<Impl>(this, notifyWindow)) {}

Serial::~Serial() = default;

bool Serial::Open(const std::string& portName) {
    return impl_->Open(portName);
}
void Serial::Close() {
    impl_->Close();
    impl_->StopEvents();
}
bool Serial::IsOpen() const {
    return impl_->IsOpen();
}
bool Serial::IsLost() const {
    return impl_->IsLost();
}

void Serial::SetBaud(std::uint32_t baud) {
    impl_->settings.baud = baud;
}
void Serial::SetParity(std::uint8_t parity) {
    impl_->settings.parity = parity;
}
void Serial::SetByteSize(std::uint8_t byteSize) {
    impl_->settings.byteSize = byteSize;
}
void Serial::SetStopBits(std::uint8_t stopBits) {
    impl_->settings.stopBits = stopBits;
}
std::uint32_t Serial::Baud() const {
    return impl_->settings.baud;
}
std::uint8_t Serial::Parity() const {
    return impl_->settings.parity;
}
std::uint8_t Serial::ByteSize() const {
    return impl_->settings.byteSize;
}
std::uint8_t Serial::StopBits() const {
    return impl_->settings.stopBits;
}

bool Serial::SetProtocol() {
    return impl_->SetProtocol();
}
std::string Serial::ErrorDesc() const {
    return impl_->errorDesc;
}
void Serial::EnableEvents(std::uint32_t mask) {
    impl_->EnableEvents(mask);
}
std::uint32_t Serial::ReceiverPending() {
    return impl_->ReceiverPending();
}
std::string Serial::Read(std::uint32_t count) {
    return impl_->Read(count);
}
void Serial::Write(const std::string& bytes) {
    impl_->Write(bytes);
}

}  // namespace serial
