#include "platform/os/SystemError.h"

#include <cerrno>

namespace os {

std::uint32_t ErrorFromErrno(int errnum) {
    switch (errnum) {
        case 0:
            return ERROR_SUCCESS;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
        case ELOOP:
            return ERROR_PATH_NOT_FOUND;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return ERROR_ACCESS_DENIED;
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EIO:
            return ERROR_WRITE_FAULT;
        // A lock held elsewhere (flock) and a busy file both mean that
        // another user holds the file.
        case EWOULDBLOCK:
        case EBUSY:
        case ETXTBSY:
            return ERROR_SHARING_VIOLATION;
        case EDEADLK:
            return ERROR_LOCK_VIOLATION;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return ERROR_DISK_FULL;
        case EFBIG:
            return ERROR_FILE_TOO_LARGE;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        default:
            return ERROR_GEN_FAILURE;
    }
}

}  // namespace os
