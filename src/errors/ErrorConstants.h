#pragma once
// Texts the error handling shows or writes, defined once.

#include <string_view>

namespace errors::text {

inline constexpr std::string_view kCrLf = "\r\n";

// The module the error handling's activations register under.
inline constexpr std::string_view kModule = "Error Handling";

// Dialog captions and the report's first words.
inline constexpr std::string_view kCaptionWarning = "WARNING";
inline constexpr std::string_view kCaptionError = "ERROR";
inline constexpr std::string_view kFirstWarning = "WARNING : ";
inline constexpr std::string_view kFirstError = "Error Code: ";

// Report lines.
inline constexpr std::string_view kSubsystem = "Subsystem: ";
inline constexpr std::string_view kSubcode = "Error Subcode: ";
inline constexpr std::string_view kOperation = "Operation: ";
inline constexpr std::string_view kFunction = "Function: ";
inline constexpr std::string_view kFilename = "Filename: ";
inline constexpr std::string_view kArgument = "Argument: ";
inline constexpr std::string_view kType = "Type: ";
inline constexpr std::string_view kArgumentNumber = "Argument Number: ";
inline constexpr std::string_view kRequestedType = "Requested type: ";
inline constexpr std::string_view kDescription = "Description: ";
inline constexpr std::string_view kCallStack = "CallStack:";
inline constexpr std::string_view kPleaseNote = "PLEASE NOTE:";
inline constexpr std::string_view kOldCoreModule = "KXCORE20.DLL";
inline constexpr std::string_view kOldCoreNote = "The old runtime KXCORE20.DLL was found in memory";
inline constexpr std::string_view kOldRunModule = "KX27RUN.DLL";
inline constexpr std::string_view kOldRunNote =
    "The Kexform 2.7 runtime file KX27RUN.DLL was found in memory";
inline constexpr std::string_view kOldRuntimeCause =
    "This may be the cause of the current runtime error !!";

// Call-stack text.
inline constexpr std::string_view kEmptyCallStack = "*EmptyCallStack*";
inline constexpr std::string_view kNoProcName = "*ProcName*";
inline constexpr std::string_view kLineOpen = " (Line:";
inline constexpr std::string_view kNoLevel = "*** , ";

// The generator's message boxes.
inline constexpr const char* kGenCaption = "FROM DefErrorGen";
inline constexpr const char* kNoErrorObject = "No error object created !";
inline constexpr const char* kWrongTag = "Error structure has wrong tag";

// The handler's own symbol, set as Function of a wrapped value.
inline constexpr std::string_view kDefErrorSymbol = "DEFERROR";

// The international mode applied at start-up.
inline constexpr std::string_view kWindowsMode = "WINDOWS";

// The error log.
inline constexpr std::string_view kLogFileName = "KXERROR.LOG";
inline constexpr std::string_view kLogBanner =
    "***********************ERROR********************************";
inline constexpr std::string_view kLogApplication = "Application: ";
inline constexpr std::string_view kLogErrorMessage = "Error message:";
inline constexpr std::string_view kLogErrorRule = "--------------";
inline constexpr std::string_view kLogObjectCreated = "Error Object created:";
inline constexpr std::string_view kLogObjectRule = "--------------------";
inline constexpr std::string_view kSetDefaultDir = "SetDefaultDir: ";
inline constexpr std::string_view kSetDefault = "SetDefault: ";

// The error dialog's buttons.
inline constexpr const char* kButtonDefault = "&Default";
inline constexpr const char* kButtonRetry = "&Retry";
inline constexpr const char* kButtonAbort = "&Abort";
inline constexpr const char* kButtonQuit = "&Quit program";

}  // namespace errors::text
