#include "platform/runtime/LateBinding.h"

#include <gtest/gtest.h>

#include "RuntimeFixture.h"
#include "platform/runtime/LateBindingError.h"

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

    static LateBindingFault FaultOf(const std::function<void()>& operation) {
        try {
            operation();
        } catch (const LateBindingError& error) {
            return error.Fault();
        }
        ADD_FAILURE() << "no error raised";
        return LateBindingFault::NoObject;
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
        if (c.expected) {
            EXPECT_NO_THROW(CheckInstance(c.value, c.cls));
        } else {
            EXPECT_EQ(FaultOf([&] { CheckInstance(c.value, c.cls); }),
                      LateBindingFault::NotInstance);
        }
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

TEST_F(LateBindingTest, FailuresAreRaised) {
    const Usual object = CreateInstance(thing);
    const Usual plain(ObjectRef(std::make_shared<TestObject>("OTHER")));
    EXPECT_EQ(FaultOf([&] { Send(Usual(1), bump); }), LateBindingFault::NoObject);
    EXPECT_EQ(FaultOf([&] { Send(object, Sym("MISSING")); }), LateBindingFault::NoMember);
    EXPECT_EQ(FaultOf([&] { Send(plain, bump); }), LateBindingFault::NoMember)
        << "a method of another class is not reachable";
    EXPECT_EQ(FaultOf([&] { Send(Usual(ObjectRef(std::make_shared<TestObject>("NOPE"))), bump); }),
              LateBindingFault::NoClass);
    EXPECT_EQ(FaultOf([&] { Access(object, Sym("NOFIELD")); }), LateBindingFault::NoField);
    EXPECT_EQ(FaultOf([&] { Assign(plain, items, Usual::ArrayOf({})); }),
              LateBindingFault::NoField);
    EXPECT_EQ(FaultOf([&] { CreateInstance(other); }), LateBindingFault::CannotMake);
    EXPECT_EQ(FaultOf([&] { CreateInstance(Sym("NEVERDECLARED")); }), LateBindingFault::NoClass);
}

}  // namespace
}  // namespace rt
