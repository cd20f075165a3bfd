#pragma once
// The far end of the flood: a child process that writes a payload into the
// master side of a pseudo-terminal as fast as the line takes it, and stamps
// the arrival time of every byte the pane sends back. Running in its own
// process, its work is not counted in the pane's CPU time.

#include <sys/types.h>
#include <chrono>
#include <string>
#include <vector>

namespace bench {

class FloodWriter {
  public:
    // Starts the child; it begins writing at once.
    FloodWriter(int master, const std::string& payload);
    ~FloodWriter();
    FloodWriter(const FloodWriter&) = delete;
    FloodWriter& operator=(const FloodWriter&) = delete;

    bool Started() const { return child_ > 0; }
    // TRUE once the child has written the whole payload (non-blocking check).
    bool PayloadWritten();
    // Tells the child to stop, waits for it and returns the bytes it received
    // from the pane with their arrival times (CLOCK_MONOTONIC, nanoseconds).
    struct Arrival {
        unsigned char byte;
        long long nanos;
    };
    std::vector<Arrival> Finish();

  private:
    pid_t child_ = -1;
    int reports_ = -1;  // child → parent: arrivals, and when the payload is written
    int stop_ = -1;     // parent → child: closed to stop
    void Collect();

    bool written_ = false;
    std::string buffered_;
    std::vector<Arrival> arrivals_;
};

// CLOCK_MONOTONIC now, in nanoseconds; comparable across processes.
long long MonotonicNanos();

}  // namespace bench
