#include "platform/runtime/Files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "platform/os/SystemError.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

constexpr char kCrLf[] = "\r\n";

void SetError(std::uint32_t code) {
    State().files.SetLastError(code);
}

// Records `code` as FError and gives back `result`, the caller's failure
// value.
template <typename T>
T Fail(std::uint32_t code, T result) {
    SetError(code);
    return result;
}

void Succeed() {
    State().files.SetLastError(os::ERROR_SUCCESS);
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The code for a failed open of `path`: the C library reports a missing
// file and a missing folder alike, the runtime tells them apart.
std::uint32_t OpenFailureCode(int errnum, const std::string& path) {
    if (errnum != ENOENT) return os::ErrorFromErrno(errnum);
    const auto slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    return IsDirectory(folder) ? os::ERROR_FILE_NOT_FOUND : os::ERROR_PATH_NOT_FOUND;
}

// The resolved path of a name; none (with FError set) for a name no file
// can have.
std::optional<std::string> PrepareName(std::string_view name) {
    if (name.empty()) return Fail(os::ERROR_PATH_NOT_FOUND, std::nullopt);
    if (name.find('\0') != std::string_view::npos)
        return Fail(os::ERROR_INVALID_NAME, std::nullopt);
    return ResolveFileName(name);
}

struct OpenRequest {
    int flags = O_RDONLY;
    mode_t permissions = 0666;
    int lock = LOCK_SH;
    bool truncate = false;
};

// Opens `path` and takes its lock; returns the descriptor, or -1 with
// FError set. A file is emptied only after its lock is held, so a create
// that loses to another holder leaves the file as it was.
int OpenLocked(const std::string& path, const OpenRequest& request) {
    int fd = -1;
    // Without waiting for the other end of a FIFO, which may never come (a
    // FIFO opened for writing with no reader fails at once); reads and
    // writes then block as usual.
    do {
        fd = ::open(path.c_str(), request.flags | O_CLOEXEC | O_NONBLOCK, request.permissions);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Fail(OpenFailureCode(errno, path), -1);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return Fail(os::ERROR_ACCESS_DENIED, -1);
    }
    int locked = -1;
    do {
        locked = ::flock(fd, request.lock | LOCK_NB);
    } while (locked < 0 && errno == EINTR);
    if (locked < 0) {
        const int errnum = errno;
        ::close(fd);
        const std::uint32_t code = os::ErrorFromErrno(errnum);
        SetError(code);
        // The file is held by another: the network-error flag tells
        // application code so.
        if (code == os::ERROR_SHARING_VIOLATION || code == os::ERROR_LOCK_VIOLATION) {
            NetErr(true);
        }
        return -1;
    }
    if (request.truncate && ::ftruncate(fd, 0) < 0) {
        const int errnum = errno;
        ::close(fd);
        return Fail(os::ErrorFromErrno(errnum), -1);
    }
    Succeed();
    return fd;
}

int OpenExisting(std::string_view name, std::uint32_t mode) {
    NetErr(false);
    const auto path = PrepareName(name);
    if (!path) return -1;
    OpenRequest request;
    switch (mode & 3u) {
        case FO_READ:
            break;
        case FO_WRITE:
            request.flags = O_WRONLY;
            request.lock = LOCK_EX;
            break;
        case FO_READWRITE:
            request.flags = O_RDWR;
            request.lock = LOCK_EX;
            break;
        default:
            return Fail(os::ERROR_INVALID_PARAMETER, -1);
    }
    return OpenLocked(*path, request);
}

int CreateEmpty(std::string_view name, std::uint32_t attributes) {
    NetErr(false);
    const auto path = PrepareName(name);
    if (!path) return -1;
    OpenRequest request;
    request.flags = O_RDWR | O_CREAT;
    request.permissions = (attributes & FC_READONLY) ? 0444 : 0666;
    request.lock = LOCK_EX;
    request.truncate = true;
    return OpenLocked(*path, request);
}

int CreateNewFile(std::string_view name, std::uint32_t attributes) {
    const auto path = PrepareName(name);
    if (!path) return -1;
    OpenRequest request;
    request.flags = O_RDWR | O_CREAT | O_EXCL;
    request.permissions = (attributes & FC_READONLY) ? 0444 : 0666;
    request.lock = LOCK_EX;
    return OpenLocked(*path, request);
}

FHandle Register(int fd) {
    return fd < 0 ? F_ERROR : State().files.Add(fd);
}

// Writes all of `bytes`; returns how many were written before a failure.
std::size_t WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(os::ErrorFromErrno(errno));
            return done;
        }
        if (n == 0) {
            SetError(os::ERROR_WRITE_FAULT);
            return done;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

bool CopyBytes(int from, int to) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            SetError(os::ERROR_READ_FAULT);
            return false;
        }
        if (n == 0) return true;
        const std::string_view chunk(buffer, static_cast<std::size_t>(n));
        if (WriteAll(to, chunk) != chunk.size()) return false;
    }
}

}  // namespace

FHandle FOpen(std::string_view name, std::uint32_t mode) {
    return Register(OpenExisting(name, mode));
}

FHandle FOpen2(std::string_view name, std::uint32_t mode) {
    return FOpen(name, mode);
}

FHandle FCreate(std::string_view name, std::uint32_t attributes) {
    return Register(CreateEmpty(name, attributes));
}

FHandle FCreate2(std::string_view name, std::uint32_t attributes) {
    return FCreate(name, attributes);
}

FHandle FCreateNew(std::string_view name, std::uint32_t attributes) {
    return Register(CreateNewFile(name, attributes));
}

std::int64_t FSeek(FHandle handle, std::int64_t offset, std::uint32_t origin) {
    const int fd = State().files.Descriptor(handle);
    if (fd < 0) return Fail(os::ERROR_INVALID_HANDLE, -1);
    int whence = SEEK_SET;
    switch (origin) {
        case FS_SET:
            break;
        case FS_RELATIVE:
            whence = SEEK_CUR;
            break;
        case FS_END:
            whence = SEEK_END;
            break;
        default:
            return Fail(os::ERROR_INVALID_PARAMETER, -1);
    }
    const off_t at = ::lseek(fd, static_cast<off_t>(offset), whence);
    if (at < 0) {
        // The only way to get EINVAL with a valid origin is a target before
        // the start of the file.
        return Fail(errno == EINVAL ? os::ERROR_NEGATIVE_SEEK : os::ErrorFromErrno(errno), -1);
    }
    Succeed();
    return static_cast<std::int64_t>(at);
}

std::int64_t FSeek3(FHandle handle, std::int64_t offset, std::uint32_t origin) {
    return FSeek(handle, offset, origin);
}

std::uint32_t FPutS(FHandle handle, std::string_view text) {
    return FPutS3(handle, text, static_cast<std::uint32_t>(text.size()));
}

std::uint32_t FPutS3(FHandle handle, std::string_view text, std::uint32_t count) {
    const int fd = State().files.Descriptor(handle);
    if (fd < 0) return Fail(os::ERROR_INVALID_HANDLE, 0);
    // One write for text and line end, so a line is never split by a
    // failure between the two.
    std::string line(text.substr(0, count));
    line += kCrLf;
    const std::size_t written = WriteAll(fd, line);
    if (written == line.size()) Succeed();
    return static_cast<std::uint32_t>(written);
}

bool FClose(FHandle handle) {
    const int fd = State().files.Release(handle);
    if (fd < 0) return Fail(os::ERROR_INVALID_HANDLE, false);
    // The descriptor is gone whatever close reports; the lock goes with it.
    if (::close(fd) < 0 && errno != EINTR) return Fail(os::ErrorFromErrno(errno), false);
    Succeed();
    return true;
}

std::uint32_t FError() {
    return State().files.LastError();
}

bool File(std::string_view name) {
    const auto path = PrepareName(name);
    if (!path) return false;
    struct stat info {};
    if (::stat(path->c_str(), &info) != 0) return Fail(OpenFailureCode(errno, *path), false);
    if (S_ISDIR(info.st_mode)) return Fail(os::ERROR_FILE_NOT_FOUND, false);
    Succeed();
    return true;
}

bool FCopy(std::string_view from, std::string_view to) {
    const int source = OpenExisting(from, FO_READ);
    if (source < 0) return false;
    const int target = CreateEmpty(to, FC_NORMAL);
    if (target < 0) {
        ::close(source);
        return false;
    }
    const bool copied = CopyBytes(source, target);
    ::close(source);
    const bool closed = ::close(target) == 0;
    if (copied && !closed) SetError(os::ERROR_WRITE_FAULT);
    if (copied && closed) Succeed();
    return copied && closed;
}

}  // namespace rt
