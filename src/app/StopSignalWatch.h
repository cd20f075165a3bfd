#pragma once
// Watches the held stop signals (os::StopSignals) on the GUI thread, in
// whatever event loop runs, a modal box's included. When one comes,
// `endTest` ends the test under way and answers whether there was one; then
// the process ends by the signal with its one line on standard error, which
// says the port was closed when a test was ended ("comtest: stopped by
// SIGTERM; the port was closed"). Without a descriptor to watch (Handle()
// -1) it does nothing.
//
// Where the GUI thread does not come back to an event loop in time, the
// signals' own thread ends the process instead (os::StopSignals::kGrace).

#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "platform/os/StopSignals.h"

namespace app {

class StopSignalWatch {
  public:
    StopSignalWatch(os::StopSignals& stop, std::function<bool()> endTest);
    StopSignalWatch(const StopSignalWatch&) = delete;
    StopSignalWatch& operator=(const StopSignalWatch&) = delete;

  private:
    void Stop();

    os::StopSignals& stop_;
    std::function<bool()> endTest_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace app
