#pragma once
// The failure of a late-bound operation: a send to a member the class does
// not have, a value that is not an object, a class that cannot be made, a
// failed instance check. Raised in one place, RaiseLateBindingError, so that
// it can be handed to the runtime's error system instead of thrown.

#include <stdexcept>
#include <string>

#include "platform/runtime/Symbol.h"

namespace rt {

enum class LateBindingFault {
    NoObject,     // the receiver is not an object
    NoClass,      // the object's or the named class is not declared
    NoMember,     // the class has no such method, access or assign
    NoField,      // no exported field of that name, or not readable/writable
    NotInstance,  // the instance check failed
    CannotMake,   // the class has no initializer
};

class LateBindingError : public std::runtime_error {
  public:
    LateBindingError(LateBindingFault fault, Symbol symbol, const std::string& text)
        : std::runtime_error(text), fault_(fault), symbol_(symbol) {}
    LateBindingFault Fault() const { return fault_; }
    // The member, field or class the operation named.
    Symbol Subject() const { return symbol_; }

  private:
    LateBindingFault fault_;
    Symbol symbol_;
};

// Reports the failure; does not return.
[[noreturn]] void RaiseLateBindingError(LateBindingFault fault, Symbol symbol);

}  // namespace rt
