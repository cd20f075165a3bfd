#pragma once
// Far ends of pseudo-terminal lines played on a thread of their own, since
// the check blocks in poll() while they answer. Each route copies what
// arrives at one master descriptor to another (the same one: an echo, as a
// loopback plug; another: a cable's relay), doing one fault on the way.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <thread>
#include <vector>

namespace check::testing {

// Late: the bytes before `offset` go back `stall` after the first came, the
// rest never.
enum class Fault { None, Drop, Flip, Duplicate, Stall, Silent, Late };

struct Route {
    int from = -1;
    int to = -1;
    Fault fault = Fault::None;
    std::size_t offset = 0;              // the byte the fault hits (Silent: every byte)
    std::chrono::milliseconds stall{0};  // Stall: the pause before that byte; Late: the delay
    // Bytes a second it sends at, as a wire would pace them, counted from
    // the first byte it got; 0: as fast as it can.
    double bytesPerSecond = 0;
};

class FarEndThread {
  public:
    explicit FarEndThread(std::vector<Route> routes);
    ~FarEndThread();
    FarEndThread(const FarEndThread&) = delete;
    FarEndThread& operator=(const FarEndThread&) = delete;

  private:
    void Run();
    void Forward(std::size_t index, std::size_t& seen, const char* data, std::size_t size);
    // Writes `bytes` on route `index`, paced when the route says so.
    void Send(std::size_t index, const std::string& bytes);

    std::vector<Route> routes_;
    // Late: per route, the bytes held and when the first of them came.
    std::vector<std::string> held_;
    std::vector<std::chrono::steady_clock::time_point> heldSince_;
    // Paced routes: when the first byte came, and how many were sent since.
    std::vector<std::chrono::steady_clock::time_point> pacedSince_;
    std::vector<std::size_t> pacedSent_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace check::testing
