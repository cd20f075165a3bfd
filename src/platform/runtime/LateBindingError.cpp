#include "platform/runtime/LateBindingError.h"

#include <string>

#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/GenCode.h"
#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

constexpr const char* kSubSystem = "BASE";

const char* Description(LateBindingFault fault) {
    switch (fault) {
        case LateBindingFault::NoObject:
            return "Not an object";
        case LateBindingFault::NoClass:
            return "Class not declared";
        case LateBindingFault::NoMember:
            return "No exported method";
        case LateBindingFault::NoField:
            return "No exported variable";
        case LateBindingFault::NotInstance:
            return "Not an instance of the class";
        case LateBindingFault::CannotMake:
            return "Class cannot be instantiated";
    }
    return "";
}

}  // namespace

std::uint32_t LateBindingGenCode(LateBindingFault fault) {
    switch (fault) {
        case LateBindingFault::NoObject:
        case LateBindingFault::NotInstance:
            return gen::kDataType;
        case LateBindingFault::NoMember:
            return gen::kNoMethod;
        case LateBindingFault::NoField:
            return gen::kNoVariable;
        case LateBindingFault::NoClass:
        case LateBindingFault::CannotMake:
            return gen::kNoObject;
    }
    return gen::kInternal;
}

Usual RaiseLateBindingError(LateBindingFault fault, Symbol symbol) {
    const std::string operation(State().symbols.NameOf(symbol));
    ErrorInfo info;
    info.genCode = LateBindingGenCode(fault);
    info.canDefault = true;
    info.subSystem = kSubSystem;
    info.operation = operation;
    info.description = Description(fault);
    info.funcSym = symbol;
    // Raised for the late-bound operation's caller, whose marked line it is.
    const Usual answer = RaiseErrorForCaller(info);
    // A retry is not offered: the lookup would fail the same way.
    return Classify(answer) == Answer::Substitute ? answer : NIL;
}

}  // namespace rt
