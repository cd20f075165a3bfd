#include "platform/runtime/ErrorTexts.h"

#include "platform/runtime/GenCode.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Usual.h"

namespace rt {

std::string ErrString(std::uint32_t genCode) {
    switch (genCode) {
        case gen::kNone:
            return "no error";
        case gen::kArgument:
            return "argument out of range";
        case gen::kBound:
            return "array index out of range";
        case gen::kNumOverflow:
            return "numeric overflow";
        case gen::kZeroDivide:
            return "division by zero";
        case gen::kNumeric:
            return "numeric error";
        case gen::kMemory:
            return "out of memory";
        case gen::kNoFunction:
            return "unknown function";
        case gen::kNoMethod:
            return "unknown method";
        case gen::kNoVariable:
            return "unknown variable";
        case gen::kCreate:
            return "file cannot be created";
        case gen::kOpen:
            return "file cannot be opened";
        case gen::kClose:
            return "file cannot be closed";
        case gen::kRead:
            return "read error";
        case gen::kWrite:
            return "write error";
        case gen::kDataType:
            return "wrong type of value";
        case gen::kBadSetting:
            return "unknown setting";
        case gen::kNoObject:
            return "object cannot be created";
        case gen::kLock:
            return "lock refused";
        case gen::kInternal:
            return "internal error";
        case gen::kException:
            return "unhandled exception";
        default:
            return "unknown error";
    }
}

std::string TypeString(std::uint32_t typeCode) {
    switch (static_cast<UsualType>(typeCode)) {
        case UsualType::Nil:
            return "NIL";
        case UsualType::Long:
            return "LONG";
        case UsualType::Date:
            return "DATE";
        case UsualType::Float:
            return "FLOAT";
        case UsualType::Array:
            return "ARRAY";
        case UsualType::Object:
            return "OBJECT";
        case UsualType::String:
            return "STRING";
        case UsualType::Logic:
            return "LOGIC";
        case UsualType::Symbol:
            return "SYMBOL";
        case UsualType::Ptr:
            return "PTR";
    }
    return "UNKNOWN";
}

std::string Symbol2String(Symbol symbol) {
    return std::string(State().symbols.NameOf(symbol));
}

}  // namespace rt
