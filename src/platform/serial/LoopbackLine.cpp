#include "platform/serial/LoopbackLine.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace serial {
namespace {

constexpr std::size_t kEchoChunk = 64 * 1024;
constexpr int kHoldTickMs = 2;

}  // namespace

LoopbackLine::LoopbackLine(QObject* parent) : QObject(parent) {
    hold_.setInterval(kHoldTickMs);
    connect(&hold_, &QTimer::timeout, this, &LoopbackLine::OnHoldTick);
}

LoopbackLine::~LoopbackLine() {
    Close();
}

rt::Expected<> LoopbackLine::Create() {
    Close();
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0) return rt::Fail(std::strerror(errno));
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return rt::Fail(std::strerror(error));
    }
    char name[128] = {};
    if (::ptsname_r(fd, name, sizeof name) != 0) {
        const int error = errno;
        ::close(fd);
        return rt::Fail(std::strerror(error));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    far_ = fd;
    devicePath_ = name;
    plug_ = std::make_shared<LoopbackPlug>();
    return {};
}

void LoopbackLine::Start() {
    if (far_ < 0 || readable_) return;
    readable_ = std::make_unique<QSocketNotifier>(far_, QSocketNotifier::Read);
    writable_ = std::make_unique<QSocketNotifier>(far_, QSocketNotifier::Write);
    writable_->setEnabled(false);
    connect(readable_.get(), &QSocketNotifier::activated, this, &LoopbackLine::OnReadable);
    connect(writable_.get(), &QSocketNotifier::activated, this, &LoopbackLine::OnWritable);
}

void LoopbackLine::Stop() {
    hold_.stop();
    if (readable_) readable_->setEnabled(false);
    if (writable_) writable_->setEnabled(false);
}

void LoopbackLine::Close() {
    hold_.stop();
    readable_.reset();
    writable_.reset();
    pending_.clear();
    if (far_ >= 0) ::close(far_);
    far_ = -1;
}

void LoopbackLine::OnReadable() {
    if (plug_->Holds()) {
        // The bytes stay in the pseudo-terminal, where the near end's
        // writer feels them as a full transmit buffer.
        readable_->setEnabled(false);
        hold_.start();
        return;
    }
    char buffer[kEchoChunk];
    const ssize_t n = ::read(far_, buffer, sizeof buffer);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
        // The near end closed: nothing more to echo, and a hung-up
        // descriptor would otherwise wake the loop forever.
        Stop();
        return;
    }
    plug_->Carry(buffer, static_cast<std::size_t>(n));
    pending_.assign(buffer, static_cast<std::size_t>(n));
    OnWritable();
}

void LoopbackLine::OnWritable() {
    while (!pending_.empty()) {
        const ssize_t n = ::write(far_, pending_.data(), pending_.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) break;
            Stop();
            pending_.clear();
            return;
        }
        pending_.erase(0, static_cast<std::size_t>(n));
    }
    const bool waiting = !pending_.empty();
    readable_->setEnabled(!waiting);
    writable_->setEnabled(waiting);
}

void LoopbackLine::OnHoldTick() {
    if (plug_->Holds()) return;
    hold_.stop();
    if (pending_.empty()) readable_->setEnabled(true);
}

}  // namespace serial
