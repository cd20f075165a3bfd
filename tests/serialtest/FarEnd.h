#pragma once
// The far end of a line for the pane's tests: a pseudo-terminal whose near
// end the pane's port object opens by path, mapped to a port name for the
// duration of the test. Waits drive the Qt event loop until a deadline.

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace serialtest::testing {

class FarEnd {
  public:
    // Opens a pseudo-terminal and maps `portName` to its near end.
    explicit FarEnd(const std::string& portName);
    ~FarEnd();
    FarEnd(const FarEnd&) = delete;
    FarEnd& operator=(const FarEnd&) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string& NearPath() const { return nearPath_; }

    // Writes every byte, running the event loop while the line is full.
    bool Send(std::string_view bytes, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Collects bytes arriving from the pane until `count` have come or the
    // timeout passed.
    std::string Receive(std::size_t count,
                        std::chrono::milliseconds timeout = std::chrono::seconds(2));
    // Closes the far end: the near end becomes a lost device.
    void Close();

  private:
    int master_ = -1;
    std::string nearPath_;
};

// Runs the event loop until `done` holds or the timeout passes; the final
// value of `done`.
bool RunUntil(const std::function<bool()>& done,
              std::chrono::milliseconds timeout = std::chrono::seconds(5));

}  // namespace serialtest::testing
