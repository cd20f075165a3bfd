#include "platform/runtime/LateBindingError.h"

#include "platform/runtime/RuntimeState.h"

namespace rt {

void RaiseLateBindingError(LateBindingFault fault, Symbol symbol) {
    std::string text;
    switch (fault) {
        case LateBindingFault::NoObject:
            text = "Not an object";
            break;
        case LateBindingFault::NoClass:
            text = "Class not declared";
            break;
        case LateBindingFault::NoMember:
            text = "No exported method";
            break;
        case LateBindingFault::NoField:
            text = "No exported variable";
            break;
        case LateBindingFault::NotInstance:
            text = "Not an instance of the class";
            break;
        case LateBindingFault::CannotMake:
            text = "Class cannot be instantiated";
            break;
    }
    const auto name = State().symbols.NameOf(symbol);
    if (!name.empty()) text += ": " + std::string(name);
    // The runtime's error system takes these over once it can raise them as
    // error objects; until then the caller sees a C++ exception.
    throw LateBindingError(fault, symbol, text);
}

}  // namespace rt
