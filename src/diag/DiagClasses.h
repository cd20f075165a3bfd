#pragma once
// The class declarations of the diagnostics library, LogFile and
// WinDllVersion, with every member a program may send them late-bound:
//
//   LOGFILE        Init(cFileName, lServerLog, lAppend), DebugMsg(cText)
//                  (a message that is no text is ignored and answers FALSE),
//                  DumpError(oError); FName, BackupName, Append and Log2File
//                  read and written; ServerPath and LogPath read only.
//   WINDLLVERSION  DLL read and written (a write probes the library);
//                  IsWinNT read only; MajorVersion, MinorVersion, Build and
//                  PlatformID exported as numbers.
//
// A write of the wrong type is ignored and answers the unchanged value.
// DumpError takes an error object (class ERROR or one derived from it);
// anything else fails the instance check of ERROR and nothing is written.
// Both classes derive from OBJECT, which must be declared before. Symbols
// are looked up by name in the runtime's symbol table at the time of the
// call: the program calls this once its symbol table is loaded.

#include <vector>

#include "platform/runtime/ClassRegistry.h"

namespace diag {

std::vector<rt::Declaration> DiagDeclarations();

}  // namespace diag
