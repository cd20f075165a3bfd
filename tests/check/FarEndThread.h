#pragma once
// Far ends of pseudo-terminal lines played on a thread of their own, since
// the check blocks in poll() while they answer. Each route copies what
// arrives at one master descriptor to another (the same one: an echo, as a
// loopback plug; another: a cable's relay), doing one fault on the way.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <thread>
#include <vector>

namespace check::testing {

enum class Fault { None, Drop, Flip, Duplicate, Stall, Silent };

struct Route {
    int from = -1;
    int to = -1;
    Fault fault = Fault::None;
    std::size_t offset = 0;              // the byte the fault hits (Silent: every byte)
    std::chrono::milliseconds stall{0};  // Stall: the pause before that byte
};

class FarEndThread {
  public:
    explicit FarEndThread(std::vector<Route> routes);
    ~FarEndThread();
    FarEndThread(const FarEndThread&) = delete;
    FarEndThread& operator=(const FarEndThread&) = delete;

  private:
    void Run();
    void Forward(Route& route, std::size_t& seen, const char* data, std::size_t size);

    std::vector<Route> routes_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace check::testing
