#pragma once
// Start-up procedures of the error handling.

namespace errors {

// When no error block is installed yet: installs DefError as the error
// block, the error dialog and message box as the runtime's way to reach the
// operator, and applies the user's international settings. When a block is
// already installed it does nothing at all.
void ErrorSysInit();

// Installs DefErrorGen as the error generator when the runtime serves this
// program alone (GetRTCount() is 1); otherwise does nothing.
void ErrorGenInit();

}  // namespace errors
