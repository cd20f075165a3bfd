#include "platform/os/StopSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstddef>
#include <iterator>

namespace os {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Blocking an ignored signal would make the kernel queue it instead of
// dropping it, so the ignored ones are left as they are.
bool Ignored(int signal) {
    struct sigaction action {};
    return ::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

}  // namespace

StopSignals::StopSignals() {
    sigset_t watched;
    sigset_t current;
    sigemptyset(&watched);
    if (::pthread_sigmask(SIG_BLOCK, nullptr, &current) != 0) return;
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        const int s = kStopSignals[i];
        if (Ignored(s)) continue;
        sigaddset(&watched, s);
        if (sigismember(&current, s) == 0) blocked_ |= 1u << i;
    }
    // Blocked, a signal waits for the descriptor instead of taking its
    // default action.
    if (::pthread_sigmask(SIG_BLOCK, &watched, nullptr) != 0) {
        blocked_ = 0;
        return;
    }
    fd_ = ::signalfd(-1, &watched, SFD_NONBLOCK | SFD_CLOEXEC);
}

StopSignals::~StopSignals() {
    if (fd_ >= 0) ::close(fd_);
    sigset_t set;
    sigemptyset(&set);
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
        if ((blocked_ & (1u << i)) != 0) sigaddset(&set, kStopSignals[i]);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

bool StopSignals::Caught() {
    signalfd_siginfo info{};
    if (!caught_ && fd_ >= 0 && ::read(fd_, &info, sizeof info) == sizeof info)
        caught_ = static_cast<int>(info.ssi_signo);
    return caught_.has_value();
}

const char* StopSignals::Name() {
    if (!Caught()) return "";
    switch (*caught_) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        case SIGHUP:
            return "SIGHUP";
    }
    return "";
}

void StopSignals::Resend() {
    if (!Caught()) return;
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, *caught_);
    ::pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    ::raise(*caught_);
}

}  // namespace os
