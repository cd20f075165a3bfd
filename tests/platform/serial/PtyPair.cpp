#include "PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <cerrno>

#include "platform/serial/PortMap.h"

namespace serial::testing {

PtyPair::PtyPair() {
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return;
    char name[128] = {};
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0 || ::ptsname_r(fd, name, sizeof name) != 0) {
        ::close(fd);
        return;
    }
    master_ = fd;
    path_ = name;
}

PtyPair::~PtyPair() {
    CloseFarEnd();
}

void PtyPair::CloseFarEnd() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

std::size_t PtyPair::SendSome(const char* data, std::size_t size) {
    const ssize_t n = ::write(master_, data, size);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool PtyPair::Send(const std::string& bytes, std::chrono::milliseconds timeout) {
    std::size_t sent = 0;
    return PumpUntil(
        [&] {
            sent += SendSome(bytes.data() + sent, bytes.size() - sent);
            return sent == bytes.size();
        },
        timeout);
}

std::string PtyPair::Receive(std::size_t count, std::chrono::milliseconds timeout) {
    std::string got;
    PumpUntil(
        [&] {
            char buffer[4096];
            while (got.size() < count) {
                const ssize_t n = ::read(master_, buffer, sizeof buffer);
                if (n <= 0) break;
                got.append(buffer, static_cast<std::size_t>(n));
            }
            return got.size() >= count;
        },
        timeout);
    return got;
}

ScopedPortMap::ScopedPortMap(const std::vector<std::pair<std::string, std::string>>& mappings) {
    PortMap map([](const std::string&) -> std::optional<std::string> { return std::nullopt; });
    for (const auto& [port, device] : mappings) (void)map.AddMapping(port + "=" + device);
    PortMap::Install(std::move(map));
}

ScopedPortMap::~ScopedPortMap() {
    PortMap::Install(PortMap());
}

NotifyRecorder::NotifyRecorder() : hwnd_(os::RegisterWindowHandle(this)) {}

bool NotifyRecorder::event(QEvent* e) {
    if (e->type() != os::PostedMessageEvent::EventType()) return QObject::event(e);
    const auto& msg = static_cast<os::PostedMessageEvent*>(e)->message();
    if (msg.message != os::WM_COMMNOTIFY) return true;
    ++notifications;
    if (drain && port != nullptr) {
        std::size_t taken = 0;
        while (port->ReceiverPending() != 0 && (perNotification == 0 || taken < perNotification)) {
            received += port->Read(1);
            ++taken;
        }
    }
    return true;
}

std::string DrainAll(Serial& port) {
    std::string out;
    while (port.ReceiverPending() != 0) out += port.Read(1);
    return out;
}

std::string DrainAtLeast(Serial& port, std::size_t count, std::chrono::milliseconds timeout) {
    std::string out;
    PumpUntil(
        [&] {
            out += DrainAll(port);
            return out.size() >= count;
        },
        timeout);
    return out;
}

void PumpFor(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace serial::testing
