#include "check/StopSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace check {

namespace {

sigset_t StopSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, s);
    return set;
}

}  // namespace

StopSignals::StopSignals() {
    const sigset_t set = StopSet();
    // Blocked, a signal waits for the descriptor instead of taking its
    // default action; one the process ignores is still dropped when sent.
    if (::pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0) return;
    fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

StopSignals::~StopSignals() {
    if (fd_ >= 0) ::close(fd_);
    const sigset_t set = StopSet();
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

bool StopSignals::Caught() {
    signalfd_siginfo info{};
    if (!caught_ && fd_ >= 0 && ::read(fd_, &info, sizeof info) == sizeof info)
        caught_ = static_cast<int>(info.ssi_signo);
    return caught_.has_value();
}

void StopSignals::Resend() {
    if (!Caught()) return;
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, *caught_);
    ::pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    ::raise(*caught_);
}

}  // namespace check
