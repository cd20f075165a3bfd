#pragma once
// The report text of an error object, as the error dialog shows it and the
// error log records it: one line per field that has something to say, each
// ended by CR LF.

#include <string>

#include "errors/Error.h"

namespace errors {

// The lines, in order (a line whose condition fails is left out):
//   "WARNING : " (Severity 1) or "Error Code: ", one more space, then the
//     Description when GenCode is 0, else GenCode, " [ ", the upper-case
//     ErrString of GenCode, " ]";
//   "Subsystem: " when SubSystem is not empty;
//   "Error Subcode: " SubCode when not 0, with " (SubCodeText)" when set;
//   "Operation: ", "Function: " (FuncSym not null), "Filename: " (first 40
//     characters), "Argument: " (Arg not empty) directly followed by
//     "Type: " when ArgType is not 0, "Argument Number: " (not 0),
//     "Requested type: " (ArgTypeReq not 0 and not ArgType), "Description: ";
//   then a note when an old runtime module is loaded in the process.
std::string ErrorMessageText(const Error& error);

}  // namespace errors
