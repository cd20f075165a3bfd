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

// The output baud rate the device actually runs at, when the system can tell
// it as a number; nullopt otherwise (the caller then decodes the speed code).
std::optional<std::uint32_t> ReadBackBaud(int fd);

}  // namespace serial
