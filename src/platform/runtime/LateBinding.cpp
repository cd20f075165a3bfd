#include "platform/runtime/LateBinding.h"

#include <cctype>
#include <string>

#include "platform/runtime/LateBindingError.h"
#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

Object& Receiver(const Usual& object, Symbol subject) {
    if (!object.IsObject() || !object.AsObject()) {
        RaiseLateBindingError(LateBindingFault::NoObject, subject);
    }
    return *object.AsObject();
}

Symbol DeclaredClass(const Object& object, Symbol subject) {
    const auto cls = State().classes.ClassOf(object);
    if (!cls) RaiseLateBindingError(LateBindingFault::NoClass, subject);
    return cls;
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

void CheckInstance(const Usual& object, Symbol cls) {
    if (!IsInstanceOf(object, cls)) RaiseLateBindingError(LateBindingFault::NotInstance, cls);
}

void CheckInstance(const Object* object, Symbol cls) {
    if (!IsInstanceOf(object, cls)) RaiseLateBindingError(LateBindingFault::NotInstance, cls);
}

Usual Send(const Usual& object, Symbol method, std::span<const Usual> args) {
    return Send(Receiver(object, method), method, args);
}

Usual Send(Object& self, Symbol method, std::span<const Usual> args) {
    const auto* member =
        State().classes.FindMember(DeclaredClass(self, method), method, MemberKind::Method);
    if (member == nullptr) RaiseLateBindingError(LateBindingFault::NoMember, method);
    // The entry is copied: the method may reset the registry under its record.
    const auto entry = member->entry;
    return entry(self, args);
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
    const auto entry = member->entry;
    entry(self, args);
    return true;
}

Usual Access(const Usual& object, Symbol property) {
    auto& self = Receiver(object, property);
    const auto cls = DeclaredClass(self, property);
    if (const auto* member = State().classes.FindMember(cls, property, MemberKind::Access)) {
        const auto entry = member->entry;
        return entry(self, {});
    }
    const auto* field = State().classes.FindField(cls, property);
    if (field == nullptr || !(field->access & kFieldRead) || !field->read) {
        RaiseLateBindingError(LateBindingFault::NoField, property);
    }
    return field->read(self);
}

Usual Assign(const Usual& object, Symbol property, const Usual& value) {
    auto& self = Receiver(object, property);
    const auto cls = DeclaredClass(self, property);
    if (const auto* member = State().classes.FindMember(cls, property, MemberKind::Assign)) {
        const auto entry = member->entry;
        const Usual args[] = {value};
        return entry(self, args);
    }
    const auto* field = State().classes.FindField(cls, property);
    if (field == nullptr || !(field->access & kFieldWrite) || !field->write) {
        RaiseLateBindingError(LateBindingFault::NoField, property);
    }
    if (value.Type() == field->type) field->write(self, value);
    return field->read ? field->read(self) : value;
}

Usual CreateInstance(Symbol cls, std::span<const Usual> args) {
    const auto* record = State().classes.FindClass(cls);
    if (record == nullptr) RaiseLateBindingError(LateBindingFault::NoClass, cls);
    if (!record->initializer) RaiseLateBindingError(LateBindingFault::CannotMake, cls);
    const auto initializer = record->initializer;
    return Usual(initializer(args));
}

}  // namespace rt
