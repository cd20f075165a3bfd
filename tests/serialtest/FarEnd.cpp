#include "FarEnd.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QTest>
#include <cerrno>

#include "platform/serial/PortMap.h"

namespace serialtest::testing {

using Clock = std::chrono::steady_clock;

FarEnd::FarEnd(const std::string& portName) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) return;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        Close();
        return;
    }
    nearPath_ = ptsname(master_);
    serial::PortMap map;
    if (!map.AddMapping(portName + "=" + nearPath_)) {
        Close();
        return;
    }
    serial::PortMap::Install(std::move(map));
}

FarEnd::~FarEnd() {
    Close();
    serial::PortMap::Install(serial::PortMap());
}

void FarEnd::Close() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

bool FarEnd::Send(std::string_view bytes, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (Clock::now() > deadline) return false;
        // The line is full: let the pane's port read.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

std::string FarEnd::Receive(std::size_t count, std::chrono::milliseconds timeout) {
    std::string got;
    const auto deadline = Clock::now() + timeout;
    while (got.size() < count && Clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 1) <= 0) continue;
        char buf[256];
        const ssize_t n = ::read(master_, buf, std::min(sizeof buf, count - got.size()));
        if (n > 0) got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
}

bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!done()) {
        if (Clock::now() > deadline) return done();
        QTest::qWait(1);
    }
    return true;
}

}  // namespace serialtest::testing
