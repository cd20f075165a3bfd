#pragma once
// The error generator: turns the raw error record the runtime fills in into
// an error object.

#include "platform/runtime/Usual.h"

namespace errors {

// `raw` is expected to be a pointer value to an rt::RawError. Creates
// a new Error (Stack from the code that raised the error, without the
// generator's own frame; SubSystem the program path)
// and copies every field of the record over it, except Stack: texts become
// texts, Args an array of the ArgBlock's values (empty without a block).
// An object that cannot be created, or an argument that is not a pointer,
// is reported in a plain message box and the generator carries on; for a
// non-pointer the object is returned as Init left it (null when there is
// none), without reading anything. A null pointer reads as an all-zero
// record. Never raises an error.
rt::Usual DefErrorGen(const rt::Usual& raw);

}  // namespace errors
