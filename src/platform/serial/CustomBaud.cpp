#include "platform/serial/CustomBaud.h"

#include <cerrno>

// termios2 lives in the kernel's headers, which clash with <termios.h>; this
// file is the only one that includes them.
#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept;

namespace serial {

bool SetSplitBaud(int fd, std::uint32_t input, std::uint32_t output) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    tio.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = input;
    tio.c_ospeed = output;
    return ioctl(fd, TCSETS2, &tio) == 0;
}

bool SetCustomBaud(int fd, std::uint32_t baud) {
    return SetSplitBaud(fd, baud, baud);
}

std::optional<LineSpeeds> ReadBackSpeeds(int fd) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return std::nullopt;
    return LineSpeeds{tio.c_ispeed, tio.c_ospeed};
}

}  // namespace serial
