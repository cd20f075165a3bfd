#pragma once
// The signals that ask the program to stop (SIGINT, SIGTERM, SIGHUP), held
// while a port may be open: rather than ending the process where it stands,
// which would leave a port at the settings of its test and print nothing,
// each makes Handle() readable, so the program can close its ports (which
// sets them back as they were found), say why it ends and then end by the
// signal. A signal the process ignores when this is built stays ignored: it
// is neither held nor watched.
//
// Instances may nest (the line check inside the program's own): each
// unblocks on destruction only the signals it blocked itself. A signal that
// came is read by whichever instance reads it first.
//
// The blocked mask is inherited by threads started afterwards and by child
// processes; the program starts none of the latter.

#include <optional>

namespace os {

class StopSignals {
  public:
    // Blocks the signals for the calling thread and every thread it starts
    // afterwards; build it before any thread that should not take them.
    StopSignals();
    // Unblocks the signals it blocked; one that came and was not resent stays
    // consumed.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Readable once a signal has come; -1 where none can be watched.
    int Handle() const { return fd_; }
    // Whether a signal has come, without waiting.
    bool Caught();
    // The signal that came ("SIGTERM"); empty while none has.
    const char* Name();
    // Ends the process by the signal that came, as if it had never been held,
    // so that the caller (a shell, a script) sees how it ended. Returns only
    // when none came or its action does not end the process.
    void Resend();

  private:
    int fd_ = -1;
    unsigned blocked_ = 0;  // bit i: kStopSignals[i] was blocked here
    std::optional<int> caught_;
};

}  // namespace os
