#pragma once
// The runtime's class registry: what every class the program uses is called,
// which class it derives from, how its instances are made, and which members
// (methods, accesses, assigns) and exported fields it has. Late-bound sends,
// class names and instance checks all answer from here, so a class or member
// that was not declared does not exist at run time.
//
// Classes are declared bases first: a class's base must already be declared,
// which also keeps every base chain finite. Declaring beyond the capacity set
// by Reset, twice, or with a symbol the symbol table does not hold fails.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "platform/runtime/Symbol.h"
#include "platform/runtime/Usual.h"

namespace rt {

enum class MemberKind : std::uint16_t { Method = 0, Access = 1, Assign = 65535 };

// The code of a method, access or assign: `self` and the arguments sent.
using MethodEntry = std::function<Usual(Object& self, std::span<const Usual> args)>;
// Makes and initialises a new instance from the arguments of the creation.
using ClassInitializer = std::function<ObjectRef(std::span<const Usual> args)>;

struct InstanceLayout {
    std::uint32_t size = 0;                      // slots of an instance's own fields
    std::vector<std::uint32_t> referenceFields;  // slots that hold references
};

enum FieldAccess : std::uint8_t { kFieldRead = 1, kFieldWrite = 2 };

// A field readable and writable by name from outside the class.
struct ExportedField {
    Symbol symbol;
    std::uint32_t position = 0;
    UsualType type = UsualType::Nil;  // the only type the field takes
    std::uint32_t size = 0;
    std::uint8_t access = 0;  // FieldAccess bits
    std::function<Usual(const Object&)> read;
    std::function<void(Object&, const Usual&)> write;
};

struct EarlyBoundMethod {
    Symbol symbol;
    MethodEntry entry;
};

struct ClassRecord {
    Symbol symbol;
    Symbol base;  // no symbol: the class has no base
    InstanceLayout layout;
    ClassInitializer initializer;  // the class's Init; empty: not made late-bound
    std::vector<EarlyBoundMethod> methods;
    std::vector<ExportedField> fields;
    std::uint32_t initArgCount = 0;  // Init's declared argument count
};

struct MethodRecord {
    Symbol classSymbol;
    Symbol member;
    MemberKind kind = MemberKind::Method;
    MethodEntry entry;
    std::uint32_t argCount = 0;
};

// One entry of a program's declaration sequence.
using Declaration = std::variant<ClassRecord, MethodRecord>;

class ClassRegistry {
  public:
    // Results of DeclareClass and DeclareMethod; 0 is success.
    enum Result : int {
        kOk = 0,
        kUnknownSymbol = 1,    // a symbol the symbol table does not hold
        kAlreadyDeclared = 2,  // the class, or the member of that kind, exists
        kUnknownBase = 3,      // the base class is not declared (yet)
        kFull = 4,             // as many classes as the capacity allows exist
        kUnknownClass = 5,     // DeclareMethod for a class not declared
        kBadKind = 6,          // a member kind other than 0, 1 and 65535
        kNoEntry = 7,          // a member without code
    };

    explicit ClassRegistry(const SymbolTable& symbols) : symbols_(symbols) {}

    // Forgets every class; at most `classCapacity` may be declared (0 = any).
    void Reset(std::size_t classCapacity);

    int DeclareClass(ClassRecord record);
    int DeclareMethod(MethodRecord record);
    // DeclareClass or DeclareMethod, as the declaration is.
    int Declare(Declaration declaration);

    const ClassRecord* FindClass(Symbol cls) const;
    // True when `cls` is `ancestor` or derives from it.
    bool Derives(Symbol cls, Symbol ancestor) const;
    // The member of that kind, declared for `cls` or the nearest base that
    // has it; a method may also come from a class's early-bound table.
    // The record found is valid until the registry is reset.
    const MethodRecord* FindMember(Symbol cls, Symbol member, MemberKind kind) const;
    // The exported field of `cls` or its nearest base that exports it.
    const ExportedField* FindField(Symbol cls, Symbol field) const;
    // The class symbol of an object: the registered class its ClassName()
    // names; no symbol for a class that is not declared.
    Symbol ClassOf(const Object& object) const;

    std::size_t ClassCount() const { return classes_.size(); }
    std::size_t MemberCount() const { return members_.size(); }
    // Declared member counts by kind: methods, accesses, assigns.
    std::size_t MemberCount(MemberKind kind) const;

  private:
    bool Known(Symbol symbol) const { return symbol && !symbols_.NameOf(symbol).empty(); }

    const SymbolTable& symbols_;
    std::size_t capacity_ = 0;
    std::map<std::uint32_t, ClassRecord> classes_;
    std::map<std::tuple<std::uint32_t, std::uint32_t, std::uint16_t>, MethodRecord> members_;
    // Early-bound methods as member records, so FindMember answers one type.
    std::map<std::pair<std::uint32_t, std::uint32_t>, MethodRecord> early_;
};

}  // namespace rt
