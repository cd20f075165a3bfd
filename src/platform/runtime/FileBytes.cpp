#include "platform/runtime/FileBytes.h"

#include <cerrno>

#include "platform/os/SystemError.h"
#include "platform/runtime/RuntimeState.h"

#include <unistd.h>

namespace rt {
namespace {

long ReadSome(int fd, char* into, std::size_t count) {
    return static_cast<long>(::read(fd, into, count));
}

long WriteSome(int fd, const char* from, std::size_t count) {
    return static_cast<long>(::write(fd, from, count));
}

}  // namespace

std::string FRead(FHandle handle, std::uint32_t count) {
    FileTable& files = State().files;
    const int fd = files.Descriptor(handle);
    if (fd < 0) {
        files.SetLastError(os::ERROR_INVALID_HANDLE);
        return {};
    }
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long n = ReadSome(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            files.SetLastError(os::ErrorFromErrno(errno));
            bytes.resize(done);
            return bytes;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    files.SetLastError(os::ERROR_SUCCESS);
    return bytes;
}

std::uint32_t FWrite(FHandle handle, std::string_view bytes) {
    FileTable& files = State().files;
    const int fd = files.Descriptor(handle);
    if (fd < 0) {
        files.SetLastError(os::ERROR_INVALID_HANDLE);
        return 0;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long n = WriteSome(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            files.SetLastError(n < 0 ? os::ErrorFromErrno(errno) : os::ERROR_WRITE_FAULT);
            return static_cast<std::uint32_t>(done);
        }
        done += static_cast<std::size_t>(n);
    }
    files.SetLastError(os::ERROR_SUCCESS);
    return static_cast<std::uint32_t>(done);
}

}  // namespace rt
