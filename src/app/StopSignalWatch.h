#pragma once
// Watches the held stop signals (os::StopSignals) on the GUI thread, in
// whatever event loop runs, a modal box's included. When one comes,
// `endTest` ends the test under way and answers whether there was one; if
// there was, one line on `err` names the signal and says the port was
// closed. Then the process ends by the signal. Without a descriptor to watch
// (Handle() -1) it does nothing.

#include <QSocketNotifier>
#include <cstdio>
#include <functional>
#include <memory>

#include "platform/os/StopSignals.h"

namespace app {

class StopSignalWatch {
  public:
    StopSignalWatch(os::StopSignals& stop, std::function<bool()> endTest, std::FILE* err);
    StopSignalWatch(const StopSignalWatch&) = delete;
    StopSignalWatch& operator=(const StopSignalWatch&) = delete;

  private:
    void Stop();

    os::StopSignals& stop_;
    std::function<bool()> endTest_;
    std::FILE* err_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace app
