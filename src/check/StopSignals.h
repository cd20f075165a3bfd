#pragma once
// The signals that ask a check to stop (SIGINT, SIGTERM, SIGHUP), held while
// one runs: rather than ending the process where it stands, which would leave
// a port at the last setting tried and print nothing, each makes Handle()
// readable, so the check can stop at its next wait, put the ports back and
// report the settings it finished. A signal the process ignores stays
// ignored.

#include <optional>

namespace check {

class StopSignals {
  public:
    // Blocks the signals for the calling thread and every thread it starts
    // afterwards; build it before any thread that should not take them.
    StopSignals();
    // Unblocks the signals; one that came and was not resent stays consumed.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Readable once a signal has come; -1 where none can be watched.
    int Handle() const { return fd_; }
    // Whether a signal has come, without waiting.
    bool Caught();
    // Ends the process by the signal that came, as if it had never been held,
    // so that the caller (a shell, a script) sees how it ended. Returns only
    // when none came or its action does not end the process.
    void Resend();

  private:
    int fd_ = -1;
    std::optional<int> caught_;
};

}  // namespace check
