#include "platform/os/StopSignals.h"

#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/os/OsTexts.h"
#include "platform/os/SavedTerminals.h"
#include "platform/os/StderrLine.h"

namespace os {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kEndingSignals[] = {SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE};

// Blocking an ignored signal would make the kernel queue it instead of
// dropping it, so the ignored ones are left as they are.
bool Ignored(int signal) {
    struct sigaction action {};
    return ::sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN;
}

const char* StopName(int signal) {
    switch (signal) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        case SIGHUP:
            return "SIGHUP";
    }
    return "";
}

// The handler of the other ending signals. SA_RESETHAND has given the signal
// its default action back, so sent anew it ends the process, at the latest
// when the handler returns.
void SetBackAndEnd(int signal) {
    const int saved = errno;
    SavedTerminals::RestoreAll();
    ::raise(signal);
    errno = saved;
}

// What the instances share: the signals' thread and the descriptors it
// makes readable.
class Watcher {
  public:
    Watcher() {
        sigset_t current;
        sigemptyset(&watched_);
        sigemptyset(&blocked_);
        ::pthread_sigmask(SIG_BLOCK, nullptr, &current);
        for (const int s : kStopSignals) {
            if (Ignored(s)) continue;
            sigaddset(&watched_, s);
            if (sigismember(&current, s) == 0) sigaddset(&blocked_, s);
        }
        // Blocked, a signal waits for the thread instead of taking its
        // default action on whichever thread it meets.
        if (::pthread_sigmask(SIG_BLOCK, &watched_, nullptr) != 0) {
            sigemptyset(&blocked_);
            return;
        }
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
            struct sigaction action {};
            if (::sigaction(kEndingSignals[i], nullptr, &action) != 0 ||
                action.sa_handler != SIG_DFL || (action.sa_flags & SA_SIGINFO) != 0)
                continue;
            action.sa_handler = &SetBackAndEnd;
            action.sa_flags = SA_RESETHAND | SA_RESTART;
            sigemptyset(&action.sa_mask);
            handled_[i] = ::sigaction(kEndingSignals[i], &action, &previous_[i]) == 0;
        }
        signalFd_ = ::signalfd(-1, &watched_, SFD_CLOEXEC);
        quitFd_ = ::eventfd(0, EFD_CLOEXEC);
        if (signalFd_ >= 0 && quitFd_ >= 0) thread_ = std::thread([this] { Run(); });
    }

    ~Watcher() {
        if (thread_.joinable()) {
            ::eventfd_write(quitFd_, 1);
            thread_.join();
        }
        for (const int fd : {signalFd_, quitFd_})
            if (fd >= 0) ::close(fd);
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
            if (handled_[i]) ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
        ::pthread_sigmask(SIG_UNBLOCK, &blocked_, nullptr);
    }

    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

    bool Watching() const { return thread_.joinable(); }

    // A descriptor that becomes readable when a signal comes; readable at
    // once if one came already.
    int Add() {
        if (!Watching()) return -1;
        const std::lock_guard lock(mutex_);
        const int fd = ::eventfd(caught_.load() != 0 ? 1 : 0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (fd >= 0) handles_.push_back(fd);
        return fd;
    }

    void Remove(int fd) {
        if (fd < 0) return;
        const std::lock_guard lock(mutex_);
        handles_.erase(std::remove(handles_.begin(), handles_.end(), fd), handles_.end());
        ::close(fd);
    }

    int Caught() const { return caught_.load(); }

    // Ends the process by `signal`, after the kept settings and the line.
    [[noreturn]] void End(int signal, std::string_view detail) {
        const bool setBack = SavedTerminals::RestoreAll() > 0;
        if (!said_.exchange(true)) {
            std::string line(texts::kStoppedBy);
            line += StopName(signal);
            line += !detail.empty() ? detail : setBack ? texts::kPortSetBack : std::string_view();
            StderrLine(line);
        }
        // Its default action, unblocked on this thread alone: the process
        // ends here.
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        ::sigaction(signal, &action, nullptr);
        sigset_t one;
        sigemptyset(&one);
        sigaddset(&one, signal);
        ::pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
        ::raise(signal);
        std::_Exit(128 + signal);
    }

  private:
    void Run() {
        while (true) {
            pollfd fds[2] = {{signalFd_, POLLIN, 0}, {quitFd_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return;
            }
            if (fds[1].revents != 0) return;
            signalfd_siginfo info{};
            if (::read(signalFd_, &info, sizeof info) != sizeof info) continue;
            const int signal = static_cast<int>(info.ssi_signo);
            caught_.store(signal);
            {
                const std::lock_guard lock(mutex_);
                for (const int fd : handles_) ::eventfd_write(fd, 1);
            }
            // The program's own end has the grace to come; the last instance
            // going meanwhile leaves the signal consumed.
            pollfd quit{quitFd_, POLLIN, 0};
            const auto deadline = std::chrono::steady_clock::now() + StopSignals::kGrace;
            int ready = 0;
            do {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now());
                ready = ::poll(&quit, 1, static_cast<int>(std::max<long long>(0, left.count())));
            } while (ready < 0 && errno == EINTR);
            if (ready > 0) return;
            End(signal, {});
        }
    }

    sigset_t watched_;
    sigset_t blocked_;  // the stop signals blocked here
    struct sigaction previous_[std::size(kEndingSignals)]{};
    bool handled_[std::size(kEndingSignals)] = {};
    int signalFd_ = -1;
    int quitFd_ = -1;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<int> handles_;
    std::atomic<int> caught_{0};
    std::atomic<bool> said_{false};
};

// The one watcher of the process, while an instance lives. It is never
// destroyed at the process's exit: the program's own instance outlives it.
std::mutex sharedMutex;
Watcher* shared = nullptr;
int users = 0;

}  // namespace

StopSignals::StopSignals() {
    const std::lock_guard lock(sharedMutex);
    if (users++ == 0) shared = new Watcher;
    fd_ = shared->Add();
}

StopSignals::~StopSignals() {
    const std::lock_guard lock(sharedMutex);
    shared->Remove(fd_);
    if (--users == 0) {
        delete shared;
        shared = nullptr;
    }
}

bool StopSignals::Caught() const {
    return shared->Caught() != 0;
}

const char* StopSignals::Name() const {
    return StopName(shared->Caught());
}

void StopSignals::Resend(std::string_view detail) const {
    if (const int signal = shared->Caught(); signal != 0) shared->End(signal, detail);
}

}  // namespace os
