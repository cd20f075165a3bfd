#include "platform/runtime/LateBinding.h"

#include <cctype>
#include <string>

#include "platform/runtime/LateBindingError.h"
#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

// The object of a receiver value; null after a raised error was handled.
Object* Receiver(const Usual& object, Symbol subject, Usual& answer) {
    if (object.IsObject() && object.AsObject()) return object.AsObject().get();
    answer = RaiseLateBindingError(LateBindingFault::NoObject, subject);
    return nullptr;
}

// The class symbol of a receiver; no symbol after a raised error was handled.
Symbol DeclaredClass(const Object& object, Symbol subject, Usual& answer) {
    const auto cls = State().classes.ClassOf(object);
    if (!cls) answer = RaiseLateBindingError(LateBindingFault::NoClass, subject);
    return cls;
}

// Runs a member's code from a copy of its entry: the code may reset the
// registry under the record.
Usual Run(const MethodRecord& member, Object& self, std::span<const Usual> args) {
    const auto entry = member.entry;
    return entry(self, args);
}

}  // namespace

Symbol ClassName(const Usual& object) {
    if (!object.IsObject() || !object.AsObject()) return Symbol{};
    return State().classes.ClassOf(*object.AsObject());
}

bool IsInstanceOf(const Usual& object, Symbol cls) {
    return object.IsObject() && IsInstanceOf(object.AsObject().get(), cls);
}

bool IsInstanceOf(const Object* object, Symbol cls) {
    if (object == nullptr) return false;
    const auto own = State().classes.ClassOf(*object);
    return own && State().classes.Derives(own, cls);
}

bool CheckInstance(const Usual& object, Symbol cls) {
    return object.IsObject() ? CheckInstance(object.AsObject().get(), cls)
                             : CheckInstance(static_cast<const Object*>(nullptr), cls);
}

bool CheckInstance(const Object* object, Symbol cls) {
    if (IsInstanceOf(object, cls)) return true;
    RaiseLateBindingError(LateBindingFault::NotInstance, cls);
    return false;
}

Usual NotAnInstance(Symbol cls) {
    return RaiseLateBindingError(LateBindingFault::NotInstance, cls);
}

Usual Send(const Usual& object, Symbol method, std::span<const Usual> args) {
    Usual answer;
    auto* self = Receiver(object, method, answer);
    return self == nullptr ? answer : Send(*self, method, args);
}

Usual Send(Object& self, Symbol method, std::span<const Usual> args) {
    Usual answer;
    const auto cls = DeclaredClass(self, method, answer);
    if (!cls) return answer;
    const auto* member = State().classes.FindMember(cls, method, MemberKind::Method);
    if (member == nullptr) return RaiseLateBindingError(LateBindingFault::NoMember, method);
    return Run(*member, self, args);
}

const MethodRecord* FindMethod(const Object& self, Symbol method) {
    const auto cls = State().classes.ClassOf(self);
    if (!cls) return nullptr;
    return State().classes.FindMember(cls, method, MemberKind::Method);
}

bool SendByName(Object& self, std::string_view name, std::span<const Usual> args) {
    std::string upper(name);
    for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto method = State().symbols.Find(upper);
    if (!method) return false;
    const auto* member = FindMethod(self, *method);
    if (member == nullptr) return false;
    Run(*member, self, args);
    return true;
}

Usual Access(const Usual& object, Symbol property) {
    Usual answer;
    auto* self = Receiver(object, property, answer);
    if (self == nullptr) return answer;
    const auto cls = DeclaredClass(*self, property, answer);
    if (!cls) return answer;
    if (const auto* member = State().classes.FindMember(cls, property, MemberKind::Access)) {
        return Run(*member, *self, {});
    }
    const auto* field = State().classes.FindField(cls, property);
    if (field == nullptr || !(field->access & kFieldRead) || !field->read) {
        return RaiseLateBindingError(LateBindingFault::NoField, property);
    }
    return field->read(*self);
}

Usual Assign(const Usual& object, Symbol property, const Usual& value) {
    Usual answer;
    auto* self = Receiver(object, property, answer);
    if (self == nullptr) return answer;
    const auto cls = DeclaredClass(*self, property, answer);
    if (!cls) return answer;
    if (const auto* member = State().classes.FindMember(cls, property, MemberKind::Assign)) {
        const Usual args[] = {value};
        return Run(*member, *self, args);
    }
    const auto* field = State().classes.FindField(cls, property);
    if (field == nullptr || !(field->access & kFieldWrite) || !field->write) {
        return RaiseLateBindingError(LateBindingFault::NoField, property);
    }
    if (value.Type() == field->type) field->write(*self, value);
    return field->read ? field->read(*self) : value;
}

Usual CreateInstance(Symbol cls, std::span<const Usual> args) {
    const auto* record = State().classes.FindClass(cls);
    if (record == nullptr) return RaiseLateBindingError(LateBindingFault::NoClass, cls);
    if (!record->initializer) return RaiseLateBindingError(LateBindingFault::CannotMake, cls);
    const auto initializer = record->initializer;
    return Usual(initializer(args));
}

}  // namespace rt
