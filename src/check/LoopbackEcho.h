#pragma once
// The built-in loopback line for a check that blocks in poll(): the line's
// echo runs on a thread of its own with its own event loop, so it answers
// while the check waits. Needs a QCoreApplication to exist.

#include <QThread>
#include <memory>
#include <string>

#include "platform/runtime/Expected.h"

namespace serial {
class LoopbackLine;
class LoopbackPlug;
}  // namespace serial

namespace check {

class LoopbackEcho {
  public:
    LoopbackEcho();
    // Stops the echo and closes the far end.
    ~LoopbackEcho();
    LoopbackEcho(const LoopbackEcho&) = delete;
    LoopbackEcho& operator=(const LoopbackEcho&) = delete;

    // Creates the line; a failure says why the system refused it.
    rt::Expected<> Create();
    // The near end's device path, valid after Create.
    const std::string& DevicePath() const { return path_; }
    // The line's plug, valid after Create, for the line object that opens
    // DevicePath; safe to use while the echo runs.
    std::shared_ptr<serial::LoopbackPlug> Plug() const { return plug_; }
    // Starts echoing; call once the near end is open.
    void Start();

  private:
    QThread thread_;
    serial::LoopbackLine* line_ = nullptr;  // lives on thread_, deleted when it finishes
    std::string path_;
    std::shared_ptr<serial::LoopbackPlug> plug_;
};

}  // namespace check
