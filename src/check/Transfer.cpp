#include "check/Transfer.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
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

timespec Until(Clock::time_point now, Clock::time_point end) {
    const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(end - now);
    return {static_cast<time_t>(wait.count() / 1000000000),
            static_cast<long>(wait.count() % 1000000000)};
}

// Waits on `fds`; false, with `why` set, when the wait failed or one of the
// descriptors is not open: waiting again would fail again at once.
bool Wait(pollfd* fds, nfds_t count, Clock::time_point end, std::string& why, int& ready) {
    const timespec ts = Until(Clock::now(), end);
    ready = ::ppoll(fds, count, &ts, nullptr);
    if (ready < 0 && errno == EINTR) {
        ready = 0;
        return true;
    }
    if (ready < 0) {
        why = std::strerror(errno);
        return false;
    }
    for (nfds_t i = 0; i < count; ++i) {
        if (fds[i].revents & POLLNVAL) {
            why = std::strerror(EBADF);
            return false;
        }
    }
    return true;
}

// Reads what waits on `rx` into `out`; false, with `lost` set, when the
// device is gone.
bool ReadAll(serial::PosixLine& rx, std::string& out, std::string& lost) {
    char buffer[kChunk];
    while (true) {
        const auto r = rx.Read(buffer, sizeof buffer);
        if (r.status == serial::IoResult::Status::Lost) {
            lost = LostText(r);
            return false;
        }
        if (r.status == serial::IoResult::Status::WouldBlock || r.bytes == 0) return true;
        out.append(buffer, r.bytes);
    }
}

}  // namespace

Received Transfer(serial::PosixLine& tx, serial::PosixLine& rx, std::string_view pattern,
                  const Complete& complete, microseconds timeout, microseconds trailing, int stop) {
    Received out;
    out.bytes.reserve(pattern.size());
    const auto start = Clock::now();
    const auto deadline = start + timeout;
    std::optional<Clock::time_point> trailingEnd;
    std::size_t sent = 0;
    const bool oneLine = tx.Handle() == rx.Handle();

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
        int ready = 0;
        if (!Wait(fds, count, end, out.failed, ready)) return out;
        if (ready == 0) continue;
        if (fds[1].revents & POLLIN) {
            out.stopped = true;
            return out;
        }

        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const std::size_t before = out.bytes.size();
            if (!ReadAll(rx, out.bytes, out.lost)) return out;
            if (out.bytes.size() > before) {
                const auto at = std::chrono::duration_cast<microseconds>(Clock::now() - start);
                out.longestGap = std::max(out.longestGap, at - out.untilLast);
                out.untilLast = at;
            }
            if (!trailingEnd && sent == pattern.size() && complete(out.bytes))
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

std::string DrainUntilQuiet(serial::PosixLine& rx, microseconds quiet, microseconds longest,
                            int stop) {
    std::string out;
    const auto last = Clock::now() + longest;
    auto end = std::min(Clock::now() + quiet, last);
    std::string why;
    while (Clock::now() < end) {
        pollfd fds[2] = {{rx.Handle(), POLLIN, 0}, {stop, POLLIN, 0}};
        int ready = 0;
        if (!Wait(fds, 2, end, why, ready) || (fds[1].revents & POLLIN)) break;
        if (ready == 0) continue;
        const std::size_t before = out.size();
        if (!ReadAll(rx, out, why)) break;
        if (out.size() > before)
            end = std::min(Clock::now() + quiet, last);
        else if (fds[0].revents & (POLLHUP | POLLERR))
            break;
    }
    return out;
}

}  // namespace check
