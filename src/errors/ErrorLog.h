#pragma once
// The runtime error log "KXERROR.LOG" in the runtime's working directory:
// plain 8-bit text, lines ended by CR LF, one entry appended per reported
// error. The file is opened, extended and closed within one report.

#include <string>

#include "errors/Error.h"
#include "platform/runtime/FileTable.h"

namespace errors {

// The log, opened for writing and positioned at its end. A log held by
// another writer is tried again, up to 10 times 1 ms apart. An existing log
// gets an empty line first, so entries stay apart; a new one is created
// with the archive attribute and starts with the entry itself. When the log
// cannot be opened or created the invalid handle comes back; when creating
// it fails because the path does not exist, the default-directory setting at
// fault is cleared and the runtime's internal error is raised about it
// ("SetDefaultDir: dir" or "SetDefault: dir") before the invalid handle is
// returned. While that internal error is being reported (its report tries
// the log again) a second failure of the same kind stays quiet.
rt::FHandle ErrorLogOpen();

// Writes one entry of 34 lines: banner, runtime version, date and time,
// program path, the report `text` (already ending in CR LF) and the error
// object's fields. When SubCode is 5333 five of the lines describe the
// operating-system exception in hexadecimal. Write failures are not
// examined; the caller closes the handle.
void ErrorLogWrite(rt::FHandle handle, const std::string& text, const Error& error);

}  // namespace errors
