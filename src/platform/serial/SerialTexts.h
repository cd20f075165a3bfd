#pragma once
// Every text the serial component shows or writes: the lines on standard
// error, the ErrorDesc descriptions and the PortMap syntax messages.

#include <string_view>

namespace serial::texts {

// Prefix of every line the component writes to standard error.

// Open failures: "<port>: <reason>".
inline constexpr std::string_view kNoDevice = "the name maps to no device";
inline constexpr std::string_view kNotTerminal = "is not a terminal";
inline constexpr std::string_view kBusy = "is in use by another program";
inline constexpr std::string_view kNoPermission = "permission denied";
inline constexpr std::string_view kLoopbackFailed = "cannot create the loopback line";
inline constexpr std::string_view kNotNumbered = "no serial device has this number";
// Permission: "permission denied: /dev/ttyUSB0 belongs to group dialout; join
// that group (sudo usermod -aG dialout $USER), then log in again".
inline constexpr std::string_view kBelongsToGroup = "belongs to group";
inline constexpr std::string_view kJoinGroupPrefix = "join that group (sudo usermod -aG ";
inline constexpr std::string_view kJoinGroupSuffix = " $USER), then ";
inline constexpr std::string_view kLogInAgain = "log in again";
inline constexpr std::string_view kSessionLacksGroup = "this session began before you joined it: ";
// A node no group one could join may use: "permission denied: /dev/ttyUSB0
// is open for reading and writing to root only; an administrator can give it
// group dialout with a udev rule: KERNEL=="ttyUSB0", GROUP="dialout",
// MODE="0660"".
inline constexpr std::string_view kOwnerOnlyPrefix = "is open for reading and writing to ";
inline constexpr std::string_view kOwnerOnlySuffix = " only";
inline constexpr std::string_view kUdevRulePrefix =
    "; an administrator can give it group dialout with a udev rule: KERNEL==\"";
inline constexpr std::string_view kUdevRuleSuffix = "\", GROUP=\"dialout\", MODE=\"0660\"";
// Busy: "is in use by another program: minicom (process 4242)".
inline constexpr std::string_view kProcess = "process";
inline constexpr std::string_view kHolderHidden = "a program this user may not see";
inline constexpr std::string_view kHeldBy = "held by";

// Device loss and transmit overflow, written once per open.
inline constexpr std::string_view kDeviceLost = "device lost";
// The lost device is back and the test goes on: "<port>: device back, test resumed".
inline constexpr std::string_view kDeviceBack = "device back, test resumed";
inline constexpr std::string_view kCannotResume = "device back but cannot be opened";
inline constexpr std::string_view kTransmitOverflow = "transmit queue full, bytes dropped";

// ErrorDesc texts.
inline constexpr std::string_view kNotOpen = "The port is not open";
inline constexpr std::string_view kCannotApply = "The device refused the line settings";
inline constexpr std::string_view kCannotRead = "The line settings cannot be read back";
inline constexpr std::string_view kFlowNotKept = "the driver does not keep CRTSCTS";

// What a device is (tooltips, the port listing).
inline constexpr std::string_view kBuiltInUart = "built-in UART";
inline constexpr std::string_view kUsbDevice = "USB serial device";
inline constexpr std::string_view kOtherDevice = "serial device";
inline constexpr std::string_view kLoopbackLine = "built-in loopback line";
inline constexpr std::string_view kMappedDevice = "mapped device";
// What tells alike devices apart: "serial A50285BI, socket 1-2".
inline constexpr std::string_view kSerialNumber = "serial";
inline constexpr std::string_view kSocket = "socket";
// State of a port in the listing.
inline constexpr std::string_view kFree = "free";
inline constexpr std::string_view kMissing = "missing";
inline constexpr std::string_view kNotPermitted = "not permitted, group";
inline constexpr std::string_view kNoPorts = "no serial ports found";
inline constexpr std::string_view kCannotKeepNumbers = "cannot keep port numbers in";

// PortMap syntax.
inline constexpr std::string_view kPortOption = "--port";
inline constexpr std::string_view kPortSyntax = "expected --port ComN=PATH (N from 1 to 255)";
inline constexpr std::string_view kEnvPrefix = "COMTEST_COM";
inline constexpr std::string_view kLoopDevice = "loop";

}  // namespace serial::texts
