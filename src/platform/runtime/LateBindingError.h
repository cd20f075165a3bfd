#pragma once
// The failures of late-bound operations: a send to a member the class does
// not have, a value that is not an object, a class that is not declared or
// cannot be made, a failed instance check. Each is raised as a runtime error
// through the error block, in one place, RaiseLateBindingError.

#include <cstdint>

#include "platform/runtime/Symbol.h"
#include "platform/runtime/Usual.h"

namespace rt {

enum class LateBindingFault {
    NoObject,     // the receiver is not an object
    NoClass,      // the object's or the named class is not declared
    NoMember,     // the class has no such method, access or assign
    NoField,      // no exported field of that name, or not readable/writable
    NotInstance,  // the instance check failed
    CannotMake,   // the class has no initializer
};

// The generic code an error of the fault carries.
std::uint32_t LateBindingGenCode(LateBindingFault fault);

// Raises the failure as an error of the runtime (subsystem "BASE", the
// fault's generic code, the member, field or class as operation and symbol),
// offering the default answer only. Returns what the failed operation
// answers then: NIL for the default, or the substitute the error block gave.
// An abort does not return. Records no line: the raise stands at the call of
// the late-bound operation, which its caller marks (see Activation.h).
Usual RaiseLateBindingError(LateBindingFault fault, Symbol symbol);

}  // namespace rt
