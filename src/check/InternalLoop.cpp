#include "check/InternalLoop.h"

#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>

#include "check/CheckTexts.h"

namespace check {

namespace {

// The modem-control bit of the loopback, from the kernel's termios header
// (asm-generic/termios.h), which the C library's headers leave out and which
// clashes with them when included beside them.
constexpr int kTiocmLoop = 0x8000;

}  // namespace

std::string SetInternalLoop(int fd, bool on) {
    int bit = kTiocmLoop;
    if (::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bit) != 0) return std::strerror(errno);
    if (!on) return {};
    int lines = 0;
    if (::ioctl(fd, TIOCMGET, &lines) != 0 || (lines & kTiocmLoop) == 0) {
        ::ioctl(fd, TIOCMBIC, &bit);
        return std::string(texts::kLoopNotKept);
    }
    return {};
}

}  // namespace check
