#pragma once
// The properties of an error object by name, for readers such as the error
// dump that take any object property by property.

#include "diag/ErrorDump.h"
#include "errors/Error.h"

namespace diag {

// Reads the fields of `error` by their names ("SubCode", "Stack" ...):
// texts as texts, logicals as logicals, symbols as symbols, FuncPtr as a
// pointer, the unsigned 32-bit fields as numbers that keep their value.
// Nothing for a name the class has no field of. The reader refers to
// `error`, which must outlive it.
ErrorPropertyReader PropertiesOf(const errors::Error& error);

}  // namespace diag
