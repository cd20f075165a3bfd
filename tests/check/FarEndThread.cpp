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
    : routes_(std::move(routes)),
      held_(routes_.size()),
      heldSince_(routes_.size()),
      pacedSince_(routes_.size()),
      pacedSent_(routes_.size(), 0),
      thread_([this] { Run(); }) {}

FarEndThread::~FarEndThread() {
    stop_ = true;
    thread_.join();
}

void FarEndThread::Run() {
    std::vector<std::size_t> seen(routes_.size(), 0);
    while (!stop_) {
        std::vector<pollfd> fds;
        for (const auto& r : routes_) fds.push_back({r.from, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), 10);
        for (std::size_t i = 0; i < routes_.size(); ++i) {
            if (!held_[i].empty() &&
                std::chrono::steady_clock::now() >= heldSince_[i] + routes_[i].stall) {
                WriteAll(routes_[i].to, held_[i], stop_);
                held_[i].clear();
            }
        }
        if (ready <= 0) continue;
        for (std::size_t i = 0; i < routes_.size(); ++i) {
            if (!(fds[i].revents & POLLIN)) continue;
            char buffer[4096];
            const ssize_t n = ::read(routes_[i].from, buffer, sizeof buffer);
            if (n <= 0) continue;
            if (routes_[i].fault == Fault::Late) {
                for (ssize_t b = 0; b < n; ++b, ++seen[i]) {
                    if (seen[i] >= routes_[i].offset) continue;
                    if (held_[i].empty()) heldSince_[i] = std::chrono::steady_clock::now();
                    held_[i] += buffer[b];
                }
                continue;
            }
            if (routes_[i].bytesPerSecond > 0 && pacedSent_[i] == 0)
                pacedSince_[i] = std::chrono::steady_clock::now();
            Forward(i, seen[i], buffer, static_cast<std::size_t>(n));
        }
    }
}

void FarEndThread::Send(std::size_t index, const std::string& bytes) {
    const Route& route = routes_[index];
    if (route.bytesPerSecond <= 0) return WriteAll(route.to, bytes, stop_);
    for (const char byte : bytes) {
        const auto due =
            pacedSince_[index] +
            std::chrono::duration_cast<std::chrono::nanoseconds>(
                std::chrono::duration<double>(++pacedSent_[index] / route.bytesPerSecond));
        std::this_thread::sleep_until(due);
        WriteAll(route.to, std::string(1, byte), stop_);
        if (stop_) return;
    }
}

void FarEndThread::Forward(std::size_t index, std::size_t& seen, const char* data,
                           std::size_t size) {
    const Route& route = routes_[index];
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
                    Send(index, out);
                    out.clear();
                    for (auto until = std::chrono::steady_clock::now() + route.stall;
                         !stop_ && std::chrono::steady_clock::now() < until;)
                        std::this_thread::sleep_for(std::chrono::milliseconds(5));
                    break;
                case Fault::None:
                case Fault::Silent:
                case Fault::Late:
                    break;
            }
        }
        out += byte;
    }
    Send(index, out);
}

}  // namespace check::testing
