#pragma once
// Names and texts the diagnostics log reads, writes or shows, defined once.

#include <string_view>

#include "errors/ErrorConstants.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/GenCode.h"

namespace diag {

// The platform's path separator; every path the log builds uses it.
inline constexpr char kPathSep = rt::kPathSeparator;

// Module names the diagnostics library registers its activations under.
inline constexpr const char* kLogFileModule = "Log File";
inline constexpr const char* kDllVersionModule = "Dll Version";

// The web server's log directory in the registry. Registry key paths always
// use backslashes, whatever the platform.
inline constexpr const char* kServerParametersKey =
    "SYSTEM\\CurrentControlSet\\Services\\W3SVC\\Parameters";
inline constexpr const char* kLogDirectoryValue = "LogFileDirectory";
inline constexpr std::string_view kSystemRootPlaceholder = "%SystemRoot%";
inline constexpr const char* kSystemRootVariable = "SystemRoot";
inline constexpr std::string_view kLogFilesFolder = "LogFiles";
// Used in place of an unset SystemRoot: "c:", two separators, "winnt".
inline constexpr std::string_view kDefaultSystemRootDrive = "c:";
inline constexpr std::string_view kDefaultSystemRootFolder = "winnt";

// Size of the buffers the registry value, the system folder and the
// environment variable are read into.
inline constexpr unsigned kPathBufferSize = 260;

inline constexpr std::string_view kLogExtension = ".log";
inline constexpr std::string_view kLogSuffix = "log";  // follows a kept "."
inline constexpr std::string_view kBackupExtension = ".bak";
inline constexpr std::string_view kBackupSuffix = "bak";

// The version probe.
inline constexpr const char* kDllGetVersionExport = "DllGetVersion";
inline constexpr unsigned kWinNtPlatform = 2;

// The error dump shares its banner and heading with the runtime's error log.
inline constexpr std::string_view kDumpBanner = errors::text::kLogBanner;
inline constexpr std::string_view kDumpSpace = " ";
inline constexpr std::string_view kDumpObjectHeading = errors::text::kLogObjectCreated;
inline constexpr std::string_view kDumpRule = errors::text::kLogObjectRule;
inline constexpr std::string_view kDumpStackLabel = "Stack           :";
inline constexpr std::string_view kDumpStackMoreLabel = "                :";
inline constexpr std::string_view kDumpQuote = "'";
inline constexpr unsigned kOsExceptionSubCode = rt::kSubCodeOsException;

}  // namespace diag
