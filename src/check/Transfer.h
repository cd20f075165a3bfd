#pragma once
// Sends a pattern on one line while receiving on another (or the same one),
// blocking in poll() until what came is complete or the time is up; and
// empties a line until it is quiet.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "platform/serial/PosixLine.h"

namespace check {

struct Received {
    std::string bytes;
    // From the first write to the last byte's arrival; zero when none came.
    std::chrono::microseconds untilLast{0};
    // The longest time without a byte, from the first write to the last
    // byte's arrival; zero when none came.
    std::chrono::microseconds longestGap{0};
    std::string lost;      // why the line stopped answering, when it did
    std::string failed;    // why waiting on the lines failed, when it did
    bool stopped = false;  // `stop` became readable before the end
};

// Says whether the bytes received so far are all that is to come.
using Complete = std::function<bool(std::string_view received)>;

// Writes `pattern` to `tx` while reading `rx`, both open and non-blocking.
// Stops `trailing` after `complete` first says yes (bytes the line adds
// arrive in that time), or at `timeout` after the start, whichever is first;
// or when either device is lost, or the wait itself fails (`failed` says
// why), or as soon as `stop` (a descriptor, -1 for none) is readable. Never
// blocks beyond `timeout`.
Received Transfer(serial::PosixLine& tx, serial::PosixLine& rx, std::string_view pattern,
                  const Complete& complete, std::chrono::microseconds timeout,
                  std::chrono::microseconds trailing, int stop = -1);

// Reads `rx` until no byte has come for `quiet`, for at most `longest`, or
// until it is lost, its wait fails or `stop` is readable; answers what came.
std::string DrainUntilQuiet(serial::PosixLine& rx, std::chrono::microseconds quiet,
                            std::chrono::microseconds longest, int stop = -1);

}  // namespace check
