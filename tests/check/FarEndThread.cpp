#include "FarEndThread.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace check::testing {

namespace {

void WriteAll(int fd, const std::string& bytes, const std::atomic<bool>& stop) {
    std::size_t done = 0;
    while (done < bytes.size() && !stop) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        } else {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 10);
        }
    }
}

}  // namespace

FarEndThread::FarEndThread(std::vector<Route> routes)
    : routes_(std::move(routes)), thread_([this] { Run(); }) {}

FarEndThread::~FarEndThread() {
    stop_ = true;
    thread_.join();
}

void FarEndThread::Run() {
    std::vector<std::size_t> seen(routes_.size(), 0);
    while (!stop_) {
        std::vector<pollfd> fds;
        for (const auto& r : routes_) fds.push_back({r.from, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 10) <= 0) continue;
        for (std::size_t i = 0; i < routes_.size(); ++i) {
            if (!(fds[i].revents & POLLIN)) continue;
            char buffer[4096];
            const ssize_t n = ::read(routes_[i].from, buffer, sizeof buffer);
            if (n > 0) Forward(routes_[i], seen[i], buffer, static_cast<std::size_t>(n));
        }
    }
}

void FarEndThread::Forward(Route& route, std::size_t& seen, const char* data, std::size_t size) {
    if (route.fault == Fault::Silent) return;
    std::string out;
    for (std::size_t i = 0; i < size; ++i, ++seen) {
        char byte = data[i];
        if (seen == route.offset) {
            switch (route.fault) {
                case Fault::Drop:
                    continue;
                case Fault::Flip:
                    byte ^= 0x10;
                    break;
                case Fault::Duplicate:
                    out += byte;
                    break;
                case Fault::Stall:
                    WriteAll(route.to, out, stop_);
                    out.clear();
                    for (auto until = std::chrono::steady_clock::now() + route.stall;
                         !stop_ && std::chrono::steady_clock::now() < until;)
                        std::this_thread::sleep_for(std::chrono::milliseconds(5));
                    break;
                case Fault::None:
                case Fault::Silent:
                    break;
            }
        }
        out += byte;
    }
    WriteAll(route.to, out, stop_);
}

}  // namespace check::testing
