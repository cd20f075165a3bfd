#pragma once
// The default error handler, installed as the runtime's error block.

#include "platform/runtime/Usual.h"

namespace errors {

// Handles one error and tells the runtime how to go on: FALSE take the
// default, TRUE retry, any other value stands in for the failed operation's
// result.
//   - A value that is not an error object is wrapped first: generic code 28,
//     function DEFERROR, its text as the argument, argument number 1, the
//     default offered.
//   - A sharing or lock violation of a file (GenCode 21, OsCode 32 or 33)
//     that can take its default sets the network-error flag and returns
//     FALSE at once: no tone, no log entry, no dialog.
//   - Everything else: the report text and call stack, three tones when
//     SetBeep is on, an entry in the error log when SetErrorLog is on, then
//     the error dialog ("WARNING" for Severity 1, else "ERROR").
//   - Answer 1: the empty value of SubstituteType when CanSubstitute, else
//     FALSE. Answer 2: TRUE. Any other answer aborts: the floating-point
//     state is reset, then the handler jumps to the innermost recovery point
//     with the error object, or, without one, ends the program with GenCode
//     as exit code.
// Writes Severity 3 over Severity when SubstituteType is 18 (the pointer
// type), clears CanRetry when GenCode is 14 (no retry is offered then) and
// fills an empty Stack.
rt::Usual DefError(const rt::Usual& error);

}  // namespace errors
