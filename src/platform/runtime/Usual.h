#pragma once
// The runtime's dynamic value: a type code and its content. Everything the
// system passes around late-bound (numbers, texts, logicals, arrays, objects,
// symbols, pointers) travels as a Usual. NIL is the empty value.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/runtime/Symbol.h"

namespace rt {

// Type codes as the runtime numbers them. 3, 7 and 18 are fixed by the error
// records that store them; the others are this runtime's own choice.
enum class UsualType : std::uint32_t {
    Nil = 0,
    Long = 1,
    Date = 2,
    Float = 3,
    Array = 5,
    Object = 6,
    String = 7,
    Logic = 8,
    Symbol = 10,
    Ptr = 18,
};

class Object;
class Usual;
using Array = std::vector<Usual>;
using ArrayRef = std::shared_ptr<Array>;
using ObjectRef = std::shared_ptr<Object>;

// A calendar date as a Julian day number; 0 is the empty date.
struct Date {
    std::int32_t julian = 0;
    friend bool operator==(Date, Date) = default;
};

class Usual {
  public:
    Usual() = default;
    Usual(std::int32_t v) : value_(v) {}
    Usual(double v) : value_(v) {}
    Usual(bool v) : value_(v) {}
    Usual(Date v) : value_(v) {}
    Usual(std::string v) : value_(std::move(v)) {}
    Usual(const char* v) : value_(std::string(v)) {}
    Usual(ArrayRef v) : value_(std::move(v)) {}
    Usual(ObjectRef v) : value_(std::move(v)) {}
    Usual(Symbol v) : value_(v) {}
    Usual(void* v) : value_(v) {}

    // Builds an array value from its elements.
    static Usual ArrayOf(std::initializer_list<Usual> items);

    UsualType Type() const;
    bool IsNil() const { return std::holds_alternative<std::monostate>(value_); }
    bool IsNumeric() const { return IsLong() || IsFloat(); }
    bool IsLong() const { return std::holds_alternative<std::int32_t>(value_); }
    bool IsFloat() const { return std::holds_alternative<double>(value_); }
    bool IsString() const { return std::holds_alternative<std::string>(value_); }
    bool IsLogic() const { return std::holds_alternative<bool>(value_); }
    bool IsArray() const { return std::holds_alternative<ArrayRef>(value_); }
    bool IsObject() const { return std::holds_alternative<ObjectRef>(value_); }
    bool IsSymbol() const { return std::holds_alternative<Symbol>(value_); }
    bool IsPtr() const { return std::holds_alternative<void*>(value_); }
    bool IsDate() const { return std::holds_alternative<Date>(value_); }

    // Typed reads. Each expects the matching type (see Is...) and returns the
    // empty value of its type otherwise, never throws.
    std::int32_t AsLong() const;
    double AsFloat() const;  // integers widen
    bool AsLogic() const;
    const std::string& AsText() const;
    const ArrayRef& AsArray() const;
    const ObjectRef& AsObject() const;
    Symbol AsSymbol() const;
    void* AsPtr() const;
    Date AsDate() const;

    // Value equality: numbers compare numerically across Long and Float,
    // arrays and objects by identity.
    friend bool operator==(const Usual& a, const Usual& b);

  private:
    std::variant<std::monostate, std::int32_t, double, bool, Date, std::string, ArrayRef, ObjectRef,
                 Symbol, void*>
        value_;
};

// The root of every late-bound object of the runtime.
class Object {
  public:
    virtual ~Object() = default;
    // The class name in upper case, as the class is registered ("WSERIAL").
    virtual std::string ClassName() const = 0;
    // Late-bound read of an exported field by its name in upper case; NIL
    // for a name the class does not export.
    virtual Usual IVarGet(const std::string& /*name*/) const { return Usual(); }
};

inline const Usual NIL{};

}  // namespace rt
