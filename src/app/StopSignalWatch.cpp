#include "app/StopSignalWatch.h"

#include "platform/os/OsTexts.h"

namespace app {

StopSignalWatch::StopSignalWatch(os::StopSignals& stop, std::function<bool()> endTest)
    : stop_(stop), endTest_(std::move(endTest)) {
    if (stop_.Handle() < 0) return;
    // A signal that came before the loop ran leaves the descriptor readable,
    // so the first pass of the loop takes it.
    notifier_ = std::make_unique<QSocketNotifier>(stop_.Handle(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Stop(); });
}

void StopSignalWatch::Stop() {
    if (!stop_.Caught()) return;
    // Closing the port sets the device back as it was found; the default
    // action of the signal would have left it at the test's settings.
    stop_.Resend(endTest_() ? os::texts::kPortClosed : "");
}

}  // namespace app
