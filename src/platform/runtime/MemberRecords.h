#pragma once
// Helpers for the tables that declare a program's classes and their members
// to the runtime: a member whose code runs on the object as its C++ class,
// symbols named by text, and arguments read past their end.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/runtime/ClassRegistry.h"
#include "platform/runtime/LateBinding.h"
#include "platform/runtime/Usual.h"

namespace rt {

using Args = std::span<const Usual>;

// In a namespace of their own: the short names would otherwise be shadowed
// by the runtime's own (RawError::Arg).
namespace declare {

// The symbol of `name`, added to the runtime's symbol table when it is new.
Symbol Sym(const char* name);

// The argument at `i`; NIL where the send passed fewer arguments.
const Usual& Arg(Args args, std::size_t i);

// A symbol given by its number or by its name.
struct SymbolRef {
    SymbolRef(Symbol symbol) : value(symbol) {}        // NOLINT(google-explicit-constructor)
    SymbolRef(const char* name) : value(Sym(name)) {}  // NOLINT(google-explicit-constructor)
    Symbol value;
};

// A member of `cls` whose code calls `call(typed, args)` with the object as
// T; an object of another C++ class fails the instance check of `cls`.
template <typename T, typename Call>
MethodRecord Member(SymbolRef cls, SymbolRef member, MemberKind kind, std::uint32_t argCount,
                    Call call) {
    const Symbol classSymbol = cls.value;
    return MethodRecord{classSymbol, member.value, kind,
                        [classSymbol, call](Object& self, Args args) {
                            return CallAs<T>(self, classSymbol,
                                             [&](T& typed) { return call(typed, args); });
                        },
                        argCount};
}

}  // namespace declare
}  // namespace rt
