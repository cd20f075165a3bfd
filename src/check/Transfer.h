#pragma once
// Sends a pattern on one line while receiving on another (or the same one),
// blocking in poll() until every byte came back or the time is up.

#include <chrono>
#include <string>
#include <string_view>

#include "platform/serial/PosixLine.h"

namespace check {

struct Received {
    std::string bytes;
    // From the first write to the last byte's arrival; zero when none came.
    std::chrono::microseconds untilLast{0};
    std::string lost;      // why the line stopped answering, when it did
    bool stopped = false;  // `stop` became readable before the end
};

// Writes `pattern` to `tx` while reading `rx`, both open and non-blocking.
// Stops `trailing` after as many bytes came as were sent (bytes the line
// adds arrive in that time), or at `timeout` after the start, whichever is
// first, or when either device is lost, or as soon as `stop` (a descriptor,
// -1 for none) is readable. Never blocks beyond `timeout`.
Received Transfer(serial::PosixLine& tx, serial::PosixLine& rx, std::string_view pattern,
                  std::chrono::microseconds timeout, std::chrono::microseconds trailing,
                  int stop = -1);

}  // namespace check
