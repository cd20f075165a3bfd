#pragma once
// Every text the serial component shows or writes: the lines on standard
// error, the ErrorDesc descriptions and the PortMap syntax messages.

#include <string_view>

namespace serial::texts {

// Prefix of every line the component writes to standard error.
inline constexpr std::string_view kStderrPrefix = "comtest: ";

// Open failures: "<port>: <reason>".
inline constexpr std::string_view kNoDevice = "the name maps to no device";
inline constexpr std::string_view kNotTerminal = "is not a terminal";
inline constexpr std::string_view kBusy = "is in use by another program";
inline constexpr std::string_view kNoPermission = "permission denied";
inline constexpr std::string_view kLoopbackFailed = "cannot create the loopback line";

// Device loss and transmit overflow, written once per open.
inline constexpr std::string_view kDeviceLost = "device lost";
inline constexpr std::string_view kTransmitOverflow = "transmit queue full, bytes dropped";

// ErrorDesc texts.
inline constexpr std::string_view kNotOpen = "The port is not open";
inline constexpr std::string_view kCannotApply = "The device refused the line settings";
inline constexpr std::string_view kCannotRead = "The line settings cannot be read back";

// PortMap syntax.
inline constexpr std::string_view kPortOption = "--port";
inline constexpr std::string_view kPortSyntax = "expected --port ComN=PATH (N from 1 to 255)";
inline constexpr std::string_view kEnvPrefix = "COMTEST_COM";
inline constexpr std::string_view kLoopDevice = "loop";

}  // namespace serial::texts
