#include "diag/OpenWithRetry.h"

#include "diag/DiagTexts.h"
#include "platform/os/Sleep.h"
#include "platform/os/SystemError.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/RuntimeState.h"

namespace diag {

bool LastFileHeldByAnother() {
    RT_ENTER("LASTFILEHELDBYANOTHER", kLogFileModule);
    RT_LINE();
    const std::uint32_t code = rt::FError();
    RT_LINE();
    return code == os::ERROR_SHARING_VIOLATION || code == os::ERROR_LOCK_VIOLATION;
}

RetryOps RetryOps::Defaults() {
    RT_ENTER("RETRYOPS:DEFAULTS", kLogFileModule);
    RT_LINE();
    return RetryOps{
        [](const std::string& file, std::uint32_t mode) { return rt::FOpen(file, mode); },
        &LastFileHeldByAnother,
        &os::Sleep,
    };
}

rt::FHandle OpenWithRetry(const std::string& file, std::uint32_t mode) {
    RT_ENTER("OPENWITHRETRY", kLogFileModule);
    RT_LINE();
    return OpenWithRetry(file, mode, RetryOps::Defaults());
}

rt::FHandle OpenWithRetry(const std::string& file, std::uint32_t mode, const RetryOps& ops) {
    RT_ENTER("OPENWITHRETRY", kLogFileModule);
    RT_LINE();
    int tries = kOpenAttempts;
    do {
        RT_LINE();
        const rt::FHandle handle = ops.open(file, mode);
        RT_LINE();
        if (handle != rt::F_ERROR) return handle;
        RT_LINE();
        if (ops.conflict()) {
            RT_LINE();
            --tries;
            ops.pause(kOpenPauseMs);
        } else {
            RT_LINE();
            tries = 0;
        }
    } while (tries != 0);
    RT_LINE();
    return rt::F_ERROR;
}

}  // namespace diag
