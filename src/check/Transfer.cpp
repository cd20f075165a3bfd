#include "check/Transfer.h"

#include <poll.h>

#include <cstring>
#include <optional>

namespace check {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

constexpr std::size_t kChunk = 4096;

std::string LostText(const serial::IoResult& r) {
    return r.error != 0 ? std::strerror(r.error) : "hung up";
}

}  // namespace

Received Transfer(serial::PosixLine& tx, serial::PosixLine& rx, std::string_view pattern,
                  microseconds timeout, microseconds trailing, int stop) {
    Received out;
    out.bytes.reserve(pattern.size());
    const auto start = Clock::now();
    const auto deadline = start + timeout;
    std::optional<Clock::time_point> trailingEnd;
    std::size_t sent = 0;
    const bool oneLine = tx.Handle() == rx.Handle();
    char buffer[kChunk];

    while (true) {
        const auto now = Clock::now();
        const auto end = trailingEnd ? std::min(*trailingEnd, deadline) : deadline;
        if (now >= end) break;

        // The receiving line first, then the stop descriptor, then the
        // sending line while bytes are left to send, if it is another.
        pollfd fds[3] = {};
        nfds_t count = 0;
        fds[count++] = {rx.Handle(), POLLIN, 0};
        fds[count++] = {stop, POLLIN, 0};  // poll() skips a negative descriptor
        if (sent < pattern.size()) {
            if (oneLine)
                fds[0].events |= POLLOUT;
            else
                fds[count++] = {tx.Handle(), POLLOUT, 0};
        }
        const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(end - now);
        timespec ts{static_cast<time_t>(wait.count() / 1000000000),
                    static_cast<long>(wait.count() % 1000000000)};
        if (::ppoll(fds, count, &ts, nullptr) <= 0) continue;
        if (fds[1].revents & POLLIN) {
            out.stopped = true;
            return out;
        }

        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            while (true) {
                const auto r = rx.Read(buffer, sizeof buffer);
                if (r.status == serial::IoResult::Status::Lost) {
                    out.lost = LostText(r);
                    return out;
                }
                if (r.status == serial::IoResult::Status::WouldBlock || r.bytes == 0) break;
                out.bytes.append(buffer, r.bytes);
                out.untilLast = std::chrono::duration_cast<microseconds>(Clock::now() - start);
            }
            if (!trailingEnd && out.bytes.size() >= pattern.size())
                trailingEnd = Clock::now() + trailing;
        }
        const short txEvents = oneLine || count < 3 ? fds[0].revents : fds[2].revents;
        if (sent < pattern.size() && (txEvents & POLLOUT)) {
            const auto r = tx.Write(pattern.data() + sent, pattern.size() - sent);
            if (r.status == serial::IoResult::Status::Lost) {
                out.lost = LostText(r);
                return out;
            }
            sent += r.bytes;
        }
    }
    return out;
}

}  // namespace check
