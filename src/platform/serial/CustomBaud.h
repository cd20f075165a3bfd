#pragma once
// Baud rates outside the POSIX speed constants (14400, 28800, ...). On Linux
// they go through the kernel's termios2 interface; elsewhere they are not
// available and SetCustomBaud fails with ENOTSUP.

#include <cstdint>
#include <optional>

namespace serial {

// Sets both directions of the open terminal `fd` to `baud`; the other
// settings stay as they are. FALSE with errno set when the device refuses.
bool SetCustomBaud(int fd, std::uint32_t baud);

// Sets the receiving and the sending rate of the open terminal `fd` apart,
// as a device may have been left by another program. FALSE with errno set
// when the device refuses.
bool SetSplitBaud(int fd, std::uint32_t input, std::uint32_t output);

struct LineSpeeds {
    std::uint32_t input = 0;
    std::uint32_t output = 0;
};

// The rates the device actually runs at in each direction, when the system
// can tell them as numbers; nullopt otherwise (the caller then decodes the
// speed codes).
std::optional<LineSpeeds> ReadBackSpeeds(int fd);

}  // namespace serial
