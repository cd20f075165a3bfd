#include "FloodWriter.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace bench {
namespace {

// A report from the child: 'A' for a byte that arrived from the pane (with
// its arrival time), 'W' once the whole payload is written.
constexpr std::size_t kRecordSize = 2 + sizeof(long long);

void Report(int fd, char kind, unsigned char byte, long long nanos) {
    char record[kRecordSize];
    record[0] = kind;
    record[1] = static_cast<char>(byte);
    std::memcpy(record + 2, &nanos, sizeof nanos);
    const char* p = record;
    std::size_t size = sizeof record;
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
}

// The child's whole life: raw system calls only, then _exit.
[[noreturn]] void RunChild(int master, const std::string& payload, int reports, int stop) {
    std::size_t sent = 0;
    for (;;) {
        const short events = static_cast<short>(POLLIN | (sent < payload.size() ? POLLOUT : 0));
        pollfd fds[2] = {{master, events, 0}, {stop, POLLIN, 0}};
        if (::poll(fds, 2, 1000) < 0 && errno != EINTR) break;
        if (fds[0].revents & POLLIN) {
            unsigned char buf[256];
            const ssize_t n = ::read(master, buf, sizeof buf);
            const long long now = MonotonicNanos();
            for (ssize_t i = 0; i < n; ++i) Report(reports, 'A', buf[i], now);
        }
        if ((fds[0].revents & POLLOUT) && sent < payload.size()) {
            const ssize_t n = ::write(master, payload.data() + sent, payload.size() - sent);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
                if (sent == payload.size()) Report(reports, 'W', 0, MonotonicNanos());
            }
        }
        if (fds[1].revents & (POLLIN | POLLHUP)) break;
        if (fds[0].revents & (POLLHUP | POLLERR)) break;
    }
    ::_exit(0);
}

}  // namespace

long long MonotonicNanos() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

FloodWriter::FloodWriter(int master, const std::string& payload) {
    int reports[2];
    int stop[2];
    if (::pipe(reports) != 0) return;
    if (::pipe(stop) != 0) {
        ::close(reports[0]);
        ::close(reports[1]);
        return;
    }
    child_ = ::fork();
    if (child_ == 0) {
        ::close(reports[0]);
        ::close(stop[1]);
        // The child writes blocking-free: the master was opened non-blocking.
        RunChild(master, payload, reports[1], stop[0]);
    }
    ::close(reports[1]);
    ::close(stop[0]);
    reports_ = reports[0];
    stop_ = stop[1];
    ::fcntl(reports_, F_SETFL, ::fcntl(reports_, F_GETFL) | O_NONBLOCK);
}

FloodWriter::~FloodWriter() {
    if (child_ > 0) Finish();
}

void FloodWriter::Collect() {
    char buf[4096];
    ssize_t n;
    while ((n = ::read(reports_, buf, sizeof buf)) > 0)
        buffered_.append(buf, static_cast<std::size_t>(n));
    std::size_t i = 0;
    for (; i + kRecordSize <= buffered_.size(); i += kRecordSize) {
        Arrival a{static_cast<unsigned char>(buffered_[i + 1]), 0};
        std::memcpy(&a.nanos, buffered_.data() + i + 2, sizeof a.nanos);
        if (buffered_[i] == 'W')
            written_ = true;
        else
            arrivals_.push_back(a);
    }
    buffered_.erase(0, i);
}

bool FloodWriter::PayloadWritten() {
    if (!written_ && child_ > 0) Collect();
    return written_;
}

std::vector<FloodWriter::Arrival> FloodWriter::Finish() {
    if (child_ <= 0) return arrivals_;
    ::close(stop_);
    int status = 0;
    ::waitpid(child_, &status, 0);
    child_ = -1;
    // The child has exited: read everything it reported, blocking till EOF.
    ::fcntl(reports_, F_SETFL, ::fcntl(reports_, F_GETFL) & ~O_NONBLOCK);
    Collect();
    ::close(reports_);
    return arrivals_;
}

}  // namespace bench
