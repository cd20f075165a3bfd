#pragma once
// Other processes for the shared-log tests (POSIX): a process that holds a
// file through the file layer until told to let go, and processes that run a
// piece of the test and report through their exit status.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "platform/runtime/Files.h"

namespace diag::testing {

// Runs `body` in a child process; its result becomes the exit status.
inline pid_t StartChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

// The exit status of a child, or -1 when it did not end normally.
inline int WaitChild(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Another process that opens a file for reading and writing, holding the
// file layer's exclusive lock, until Release() or destruction.
class FileHolder {
  public:
    explicit FileHolder(const std::string& path) {
        int held[2];
        int release[2];
        if (::pipe(held) != 0 || ::pipe(release) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(held[0]);
            ::close(release[1]);
            const rt::FHandle handle = rt::FOpen(path, rt::FO_READWRITE);
            const char status = handle != rt::F_ERROR ? '1' : '0';
            (void)!::write(held[1], &status, 1);
            char go = 0;
            (void)!::read(release[0], &go, 1);
            rt::FClose(handle);
            ::_exit(0);
        }
        ::close(held[1]);
        ::close(release[0]);
        releaseFd_ = release[1];
        char status = 0;
        holding_ = ::read(held[0], &status, 1) == 1 && status == '1';
        ::close(held[0]);
    }
    ~FileHolder() { Release(); }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    bool Holding() const { return holding_; }

    // Lets the file go and waits until the process has ended.
    void Release() {
        if (pid_ <= 0) return;
        const char go = 'x';
        (void)!::write(releaseFd_, &go, 1);
        ::close(releaseFd_);
        WaitChild(pid_);
        pid_ = -1;
        holding_ = false;
    }

  private:
    pid_t pid_ = -1;
    int releaseFd_ = -1;
    bool holding_ = false;
};

}  // namespace diag::testing
