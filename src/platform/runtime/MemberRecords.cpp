#include "platform/runtime/MemberRecords.h"

#include "platform/runtime/RuntimeState.h"

namespace rt::declare {

Symbol Sym(const char* name) {
    return State().symbols.Add(name);
}

const Usual& Arg(Args args, std::size_t i) {
    return i < args.size() ? args[i] : NIL;
}

}  // namespace rt::declare
