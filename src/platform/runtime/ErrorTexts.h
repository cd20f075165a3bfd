#pragma once
// The runtime's texts for generic codes, value types and symbols, as the
// error report and the error log show them.

#include <cstdint>
#include <string>

#include "platform/runtime/Symbol.h"

namespace rt {

// Message text of a generic code (GenCode.h); a code without a text of its
// own gets "unknown error".
std::string ErrString(std::uint32_t genCode);

// Name of a type code (UsualType); "UNKNOWN" for a number that names no type.
std::string TypeString(std::uint32_t typeCode);

// Text of a symbol from the runtime's symbol table; empty for the null symbol
// and for numbers the table does not hold.
std::string Symbol2String(Symbol symbol);

}  // namespace rt
