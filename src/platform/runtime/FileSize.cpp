#include "platform/runtime/FileSize.h"

#include <cerrno>

#include "platform/os/SystemError.h"
#include "platform/runtime/RuntimeState.h"

#include <unistd.h>

namespace rt {

bool FChSize(FHandle handle, std::int64_t size) {
    FileTable& files = State().files;
    const int fd = files.Descriptor(handle);
    if (fd < 0) {
        files.SetLastError(os::ERROR_INVALID_HANDLE);
        return false;
    }
    if (size < 0) {
        files.SetLastError(os::ERROR_NEGATIVE_SEEK);
        return false;
    }
    int failed = 0;
    while (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
        if (errno == EINTR) continue;
        failed = errno;
        break;
    }
    files.SetLastError(failed == 0 ? os::ERROR_SUCCESS : os::ErrorFromErrno(failed));
    return failed == 0;
}

}  // namespace rt
