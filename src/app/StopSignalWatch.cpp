#include "app/StopSignalWatch.h"

#include <string>

#include "app/AppTexts.h"
#include "app/CommandLineTexts.h"

namespace app {

StopSignalWatch::StopSignalWatch(os::StopSignals& stop, std::function<bool()> endTest,
                                 std::FILE* err)
    : stop_(stop), endTest_(std::move(endTest)), err_(err) {
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
    if (endTest_()) {
        std::fprintf(err_, "%s%s%s%s\n", std::string(texts::kErrorPrefix).c_str(),
                     texts::kStoppedBy, stop_.Name(), texts::kPortClosed);
        std::fflush(err_);
    }
    stop_.Resend();
}

}  // namespace app
