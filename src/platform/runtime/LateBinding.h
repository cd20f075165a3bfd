#pragma once
// Late-bound operations on dynamic values, answered by the class registry of
// the runtime state: sends by symbol, property access and assignment,
// exported fields, creation by class symbol, class names and instance checks.
// Each failure is raised as a runtime error (RaiseLateBindingError); when the
// error block lets the program go on, the failed operation answers NIL or the
// substitute the block gave.

#include <span>
#include <string_view>

#include "platform/runtime/ClassRegistry.h"
#include "platform/runtime/Usual.h"

namespace rt {

// The symbol of the object's class; no symbol for a value that is not an
// object or an object whose class is not declared.
Symbol ClassName(const Usual& object);

// True when `object` is an object of class `cls` or of a class derived from
// it. False for values that are not objects and for undeclared classes.
bool IsInstanceOf(const Usual& object, Symbol cls);

bool IsInstanceOf(const Object* object, Symbol cls);

// The instance check: raises NotInstance unless IsInstanceOf(object, cls).
// True when the object passed; false after the raised error was handled.
bool CheckInstance(const Usual& object, Symbol cls);
bool CheckInstance(const Object* object, Symbol cls);

// Raises the failed instance check of `cls`; the answer to go on with.
Usual NotAnInstance(Symbol cls);

// Calls `code` with `self` as the C++ class T of a member's code. When the
// object is of another C++ type, the instance check of `cls` fails and its
// answer is the member's result.
template <typename T, typename Code>
Usual CallAs(Object& self, Symbol cls, Code&& code) {
    auto* typed = dynamic_cast<T*>(&self);
    if (typed == nullptr) return NotAnInstance(cls);
    return code(*typed);
}

// Sends `method` with `args` to `object`; the result of the method.
Usual Send(const Usual& object, Symbol method, std::span<const Usual> args = {});

// Sends `method` to an object that is not held by a dynamic value (a window
// owned by its owner, say).
Usual Send(Object& self, Symbol method, std::span<const Usual> args = {});

// The method a send of `method` to `self` would run; null when its class is
// not declared or has no such method.
const MethodRecord* FindMethod(const Object& self, Symbol method);

// Sends the method whose name is `name` in upper case ("BeginButton" sends
// BEGINBUTTON) when the object's class has it. False, with nothing sent, when
// there is no such symbol or method.
bool SendByName(Object& self, std::string_view name, std::span<const Usual> args = {});

// Reads a property: the class's access of that name, else its exported
// field (when readable).
Usual Access(const Usual& object, Symbol property);

// Writes a property: the class's assign of that name, else its exported field
// (when writable). A value of another type than an exported field's is
// ignored. Returns the property's value after the write.
Usual Assign(const Usual& object, Symbol property, const Usual& value);

// A new instance of `cls` made by its initializer with `args`.
Usual CreateInstance(Symbol cls, std::span<const Usual> args = {});

}  // namespace rt
