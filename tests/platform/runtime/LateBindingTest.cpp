#include "platform/runtime/LateBinding.h"

#include <gtest/gtest.h>

#include "RuntimeFixture.h"
#include "platform/runtime/LateBindingError.h"
#include "support/RecordedErrors.h"

namespace rt {
namespace {

class LateBindingTest : public RuntimeFixture {
  protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        base = Sym("BASE");
        thing = Sym("THING");
        other = Sym("OTHER");
        bump = Sym("BUMP");
        number = Sym("NUMBER");
        items = Sym("AITEMS");
        ExportedField field{
            items,
            0,
            UsualType::Array,
            4,
            kFieldRead | kFieldWrite,
            [](const Object& o) { return static_cast<const TestObject&>(o).items; },
            [](Object& o, const Usual& v) { static_cast<TestObject&>(o).items = v; }};
        ASSERT_EQ(DeclareClass({base, {}, {}, {}, {}, {}}), 0);
        ASSERT_EQ(DeclareClass({thing,
                                base,
                                {},
                                [](std::span<const Usual> args) {
                                    auto object = std::make_shared<TestObject>("THING");
                                    if (!args.empty()) object->number = args[0].AsLong();
                                    return object;
                                },
                                {},
                                {field}}),
                  0);
        ASSERT_EQ(DeclareClass({other, {}, {}, {}, {}, {}}), 0);
        ASSERT_EQ(DeclareMethod({thing, bump, MemberKind::Method,
                                 [](Object& o, std::span<const Usual> args) {
                                     auto& self = static_cast<TestObject&>(o);
                                     self.number += args.empty() ? 1 : args[0].AsLong();
                                     return Usual(self.number);
                                 },
                                 1}),
                  0);
        ASSERT_EQ(DeclareMethod({thing, number, MemberKind::Access,
                                 [](Object& o, std::span<const Usual>) {
                                     return Usual(static_cast<TestObject&>(o).number);
                                 },
                                 0}),
                  0);
        ASSERT_EQ(DeclareMethod({thing, number, MemberKind::Assign,
                                 [](Object& o, std::span<const Usual> args) {
                                     auto& self = static_cast<TestObject&>(o);
                                     if (args[0].IsLong()) self.number = args[0].AsLong();
                                     return Usual(self.number);
                                 },
                                 1}),
                  0);
    }

    // The generic codes of the errors the operation raised; the error block
    // takes the default, so a failed operation must answer NIL.
    static std::vector<std::uint32_t> Raised(const std::function<Usual()>& operation) {
        testsupport::RecordedErrors errors;
        const Usual answer = operation();
        if (!errors.GenCodes().empty()) {
            EXPECT_TRUE(answer.IsNil());
        }
        return errors.GenCodes();
    }
    static std::vector<std::uint32_t> Code(LateBindingFault fault) {
        return {LateBindingGenCode(fault)};
    }

    Symbol base, thing, other, bump, number, items;
};

TEST_F(LateBindingTest, CreateSendAccessAssign) {
    const Usual args[] = {Usual(5)};
    const Usual object = CreateInstance(thing, args);
    ASSERT_TRUE(object.IsObject());
    const Usual two[] = {Usual(2)};
    EXPECT_EQ(Send(object, bump, two), Usual(7));
    EXPECT_EQ(Send(object, bump), Usual(8));
    EXPECT_EQ(Access(object, number), Usual(8));
    EXPECT_EQ(Assign(object, number, Usual(40)), Usual(40));
    EXPECT_EQ(Access(object, number), Usual(40));
}

TEST_F(LateBindingTest, ExportedFieldTakesOnlyItsType) {
    const Usual object = CreateInstance(thing);
    const Usual list = Usual::ArrayOf({Usual("Com1"), Usual("Com2")});
    EXPECT_EQ(Assign(object, items, list), list);
    EXPECT_EQ(Access(object, items), list);
    EXPECT_EQ(Assign(object, items, Usual("not an array")), list)
        << "a write of the wrong type is ignored and answers the unchanged value";
    EXPECT_EQ(Access(object, items), list);
}

TEST_F(LateBindingTest, ClassNamesAndInstanceChecks) {
    const Usual object = CreateInstance(thing);
    const Usual stranger(ObjectRef(std::make_shared<TestObject>("UNDECLARED")));
    EXPECT_EQ(ClassName(object), thing);
    EXPECT_FALSE(ClassName(Usual(3)));
    EXPECT_FALSE(ClassName(stranger));

    struct Case {
        Usual value;
        Symbol cls;
        bool expected;
    };
    const Case cases[] = {{object, thing, true},    {object, base, true}, {object, other, false},
                          {Usual(3), base, false},  {NIL, base, false},   {stranger, base, false},
                          {object, Symbol{}, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsInstanceOf(c.value, c.cls), c.expected)
            << State().symbols.NameOf(c.cls) << " " << static_cast<int>(c.value.Type());
        testsupport::RecordedErrors errors;
        EXPECT_EQ(CheckInstance(c.value, c.cls), c.expected);
        EXPECT_EQ(errors.GenCodes(),
                  c.expected ? std::vector<std::uint32_t>{} : Code(LateBindingFault::NotInstance));
    }
}

TEST_F(LateBindingTest, SendByNameFindsTheUpperCaseSymbolInTheObjectsClass) {
    TestObject self("THING");
    const Usual five[] = {Usual(5)};
    EXPECT_TRUE(SendByName(self, "Bump", five));
    EXPECT_EQ(self.number, 5);
    EXPECT_TRUE(SendByName(self, "BUMP"));
    EXPECT_EQ(self.number, 6);
    EXPECT_EQ(Send(self, bump), Usual(7)) << "an object not held by a value";
    EXPECT_NE(FindMethod(self, bump), nullptr);

    EXPECT_FALSE(SendByName(self, "NoSuchName")) << "no symbol of that name";
    EXPECT_FALSE(SendByName(self, "Number")) << "an access is not a method";
    TestObject plain("OTHER");
    EXPECT_FALSE(SendByName(plain, "Bump")) << "a method of another class";
    EXPECT_EQ(FindMethod(plain, bump), nullptr);
    TestObject undeclared("UNDECLARED");
    EXPECT_FALSE(SendByName(undeclared, "Bump"));
    EXPECT_EQ(self.number, 7);
}

TEST_F(LateBindingTest, FailuresAreRaisedAsRuntimeErrors) {
    const Usual object = CreateInstance(thing);
    const Usual plain(ObjectRef(std::make_shared<TestObject>("OTHER")));
    const Usual undeclared(ObjectRef(std::make_shared<TestObject>("NOPE")));
    const Symbol missing = Sym("MISSING");
    const Symbol noField = Sym("NOFIELD");
    const Symbol neverDeclared = Sym("NEVERDECLARED");
    struct Case {
        const char* what;
        std::function<Usual()> operation;
        LateBindingFault fault;
    };
    const Case cases[] = {
        {"send to a number", [&] { return Send(Usual(1), bump); }, LateBindingFault::NoObject},
        {"unknown method", [&] { return Send(object, missing); }, LateBindingFault::NoMember},
        {"method of another class", [&] { return Send(plain, bump); }, LateBindingFault::NoMember},
        {"undeclared class", [&] { return Send(undeclared, bump); }, LateBindingFault::NoClass},
        {"no such field", [&] { return Access(object, noField); }, LateBindingFault::NoField},
        {"field of another class", [&] { return Assign(plain, items, Usual::ArrayOf({})); },
         LateBindingFault::NoField},
        {"class without Init", [&] { return CreateInstance(other); }, LateBindingFault::CannotMake},
        {"class never declared", [&] { return CreateInstance(neverDeclared); },
         LateBindingFault::NoClass},
        {"wrong C++ type",
         [&] {
             return CallAs<LateBindingTest>(*object.AsObject(), thing,
                                            [](auto&) { return Usual(1); });
         },
         LateBindingFault::NotInstance},
    };
    for (const auto& c : cases) EXPECT_EQ(Raised(c.operation), Code(c.fault)) << c.what;
    EXPECT_EQ(Code(LateBindingFault::NoMember), std::vector<std::uint32_t>{13});
}

TEST_F(LateBindingTest, SubstituteFromTheErrorBlockIsTheAnswer) {
    testsupport::RecordedErrors errors(Usual("instead"));
    const Usual object = CreateInstance(thing);
    EXPECT_EQ(Send(object, Sym("MISSING")), Usual("instead"));
    EXPECT_EQ(Access(Usual(4), number), Usual("instead"));
    EXPECT_EQ(errors.GenCodes().size(), 2u);
}

}  // namespace
}  // namespace rt
