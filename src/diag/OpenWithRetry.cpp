#include "diag/OpenWithRetry.h"

#include "diag/DiagTexts.h"
#include "platform/os/Sleep.h"
#include "platform/os/SystemError.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Files.h"

namespace diag {

bool LastFileHeldByAnother() {
    RT_ENTER("LASTFILEHELDBYANOTHER", kLogFileModule);
    const std::uint32_t code = rt::FError();
    return code == os::ERROR_SHARING_VIOLATION || code == os::ERROR_LOCK_VIOLATION;
}

RetryOps RetryOps::Defaults() {
    RT_ENTER("RETRYOPS:DEFAULTS", kLogFileModule);
    return RetryOps{
        [](const std::string& file, std::uint32_t mode) { return rt::FOpen(file, mode); },
        &LastFileHeldByAnother,
        &os::Sleep,
    };
}

rt::FHandle OpenWithRetry(const std::string& file, std::uint32_t mode) {
    RT_ENTER("OPENWITHRETRY", kLogFileModule);
    return OpenWithRetry(file, mode, RetryOps::Defaults());
}

rt::FHandle OpenWithRetry(const std::string& file, std::uint32_t mode, const RetryOps& ops) {
    RT_ENTER("OPENWITHRETRY", kLogFileModule);
    int tries = kOpenAttempts;
    do {
        const rt::FHandle handle = ops.open(file, mode);
        if (handle != rt::F_ERROR) return handle;
        if (ops.conflict()) {
            --tries;
            ops.pause(kOpenPauseMs);
        } else {
            tries = 0;
        }
    } while (tries != 0);
    return rt::F_ERROR;
}

}  // namespace diag
