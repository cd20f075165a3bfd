#include "platform/runtime/Usual.h"

namespace rt {

Usual Usual::ArrayOf(std::initializer_list<Usual> items) {
    return Usual(std::make_shared<Array>(items));
}

UsualType Usual::Type() const {
    struct Visitor {
        UsualType operator()(std::monostate) const { return UsualType::Nil; }
        UsualType operator()(std::int32_t) const { return UsualType::Long; }
        UsualType operator()(double) const { return UsualType::Float; }
        UsualType operator()(bool) const { return UsualType::Logic; }
        UsualType operator()(Date) const { return UsualType::Date; }
        UsualType operator()(const std::string&) const { return UsualType::String; }
        UsualType operator()(const ArrayRef&) const { return UsualType::Array; }
        UsualType operator()(const ObjectRef&) const { return UsualType::Object; }
        UsualType operator()(Symbol) const { return UsualType::Symbol; }
        UsualType operator()(void*) const { return UsualType::Ptr; }
    };
    return std::visit(Visitor{}, value_);
}

std::int32_t Usual::AsLong() const {
    if (auto* v = std::get_if<std::int32_t>(&value_)) return *v;
    return 0;
}

double Usual::AsFloat() const {
    if (auto* v = std::get_if<double>(&value_)) return *v;
    if (auto* v = std::get_if<std::int32_t>(&value_)) return *v;
    return 0.0;
}

bool Usual::AsLogic() const {
    if (auto* v = std::get_if<bool>(&value_)) return *v;
    return false;
}

const std::string& Usual::AsText() const {
    static const std::string empty;
    if (auto* v = std::get_if<std::string>(&value_)) return *v;
    return empty;
}

const ArrayRef& Usual::AsArray() const {
    static const ArrayRef none;
    if (auto* v = std::get_if<ArrayRef>(&value_)) return *v;
    return none;
}

const ObjectRef& Usual::AsObject() const {
    static const ObjectRef none;
    if (auto* v = std::get_if<ObjectRef>(&value_)) return *v;
    return none;
}

Symbol Usual::AsSymbol() const {
    if (auto* v = std::get_if<Symbol>(&value_)) return *v;
    return Symbol{};
}

void* Usual::AsPtr() const {
    if (auto* v = std::get_if<void*>(&value_)) return *v;
    return nullptr;
}

Date Usual::AsDate() const {
    if (auto* v = std::get_if<Date>(&value_)) return *v;
    return Date{};
}

bool operator==(const Usual& a, const Usual& b) {
    if (a.IsNumeric() && b.IsNumeric()) {
        if (a.IsLong() && b.IsLong()) return a.AsLong() == b.AsLong();
        return a.AsFloat() == b.AsFloat();
    }
    return a.value_ == b.value_;
}

}  // namespace rt
