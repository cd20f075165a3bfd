#pragma once
// The signals that ask the program to stop (SIGINT, SIGTERM, SIGHUP), and
// the others whose default action ends the process (SIGQUIT, SIGUSR1,
// SIGUSR2, SIGALRM, SIGPIPE), taken so that the process never ends with a
// port left at the settings of its test.
//
// The stop signals are blocked on every thread and taken by a thread of
// their own. When one comes, Handle() of every instance becomes readable,
// so that the program can end soundly: close its ports, which sets them back
// as they were found, and call Resend. Should the process still run kGrace
// after the signal came (the thread that would end it is stuck in a blocking
// call, or in a box nobody watches), the signals' thread ends it itself as
// Resend does: every port's settings kept in os::SavedTerminals are put
// back, one line on standard error names the signal, and the process ends
// by it.
//
// The other signals keep their default action, which a handler precedes:
// it puts back the settings kept in os::SavedTerminals. One that has a
// handler of someone else's is left to it.
//
// A signal the process ignores when the first instance is built stays
// ignored: it is neither held nor handled.
//
// Instances may nest (the line check inside the program's own): they share
// the one thread, which the first starts and the last stops; the last
// unblocks, on its own thread, only the signals the first blocked, and gives
// the others back their former actions. Build the first before any other
// thread starts: threads started afterwards inherit the blocked mask, and
// so would child processes (the program starts none).

#include <chrono>
#include <string_view>

namespace os {

class StopSignals {
  public:
    // Time left to the program's own end after a stop signal came.
    static constexpr std::chrono::milliseconds kGrace{400};

    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Readable once a stop signal has come (and stays so); -1 where none can
    // be watched.
    int Handle() const { return fd_; }
    // Whether a stop signal has come, without waiting.
    bool Caught() const;
    // The stop signal that came ("SIGTERM"); empty while none has.
    const char* Name() const;
    // Ends the process by the stop signal that came, so that the caller (a
    // shell, a script) sees how it ended: puts back the settings still kept
    // in os::SavedTerminals and writes the one line on standard error,
    // "comtest: stopped by SIGTERM" followed by `detail` (e.g. "; the port
    // was closed"), or by "; the port was set back" when `detail` is empty
    // and a port's settings were put back here. The line is written once
    // per process. Returns only when no stop signal came.
    void Resend(std::string_view detail = {}) const;

  private:
    int fd_ = -1;
};

}  // namespace os
