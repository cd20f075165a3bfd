#include "platform/runtime/ClassRegistry.h"

#include <gtest/gtest.h>

#include "RuntimeFixture.h"

namespace rt {
namespace {

MethodEntry Returning(std::int32_t value) {
    return [value](Object&, std::span<const Usual>) { return Usual(value); };
}

class ClassRegistryTest : public RuntimeFixture {};

TEST_F(ClassRegistryTest, DeclarationFaults) {
    auto& registry = State().classes;
    const auto root = Sym("ROOT");
    const auto child = Sym("CHILD");
    const auto run = Sym("RUN");
    const Symbol unknown{9999};

    struct Case {
        const char* what;
        ClassRecord record;
        int result;
    };
    const Case cases[] = {
        {"base not yet declared", ClassRecord{child, root, {}, {}, {}, {}},
         ClassRegistry::kUnknownBase},
        {"root", ClassRecord{root, {}, {}, {}, {}, {}}, ClassRegistry::kOk},
        {"root again", ClassRecord{root, {}, {}, {}, {}, {}}, ClassRegistry::kAlreadyDeclared},
        {"symbol not in the table", ClassRecord{unknown, {}, {}, {}, {}, {}},
         ClassRegistry::kUnknownSymbol},
        {"base symbol not in the table", ClassRecord{child, unknown, {}, {}, {}, {}},
         ClassRegistry::kUnknownSymbol},
        {"early method without code", ClassRecord{child, root, {}, {}, {{run, {}}}, {}},
         ClassRegistry::kNoEntry},
        {"child", ClassRecord{child, root, {}, {}, {}, {}}, ClassRegistry::kOk},
    };
    for (const auto& c : cases) EXPECT_EQ(registry.DeclareClass(c.record), c.result) << c.what;
    EXPECT_EQ(registry.ClassCount(), 2u);

    struct MemberCase {
        const char* what;
        MethodRecord record;
        int result;
    };
    const MemberCase members[] = {
        {"method", MethodRecord{child, run, MemberKind::Method, Returning(1), 0}, 0},
        {"same method again", MethodRecord{child, run, MemberKind::Method, Returning(2), 0},
         ClassRegistry::kAlreadyDeclared},
        {"access of the same name", MethodRecord{child, run, MemberKind::Access, Returning(3), 0},
         0},
        {"assign of the same name", MethodRecord{child, run, MemberKind::Assign, Returning(4), 1},
         0},
        {"kind 2", MethodRecord{child, Sym("X"), static_cast<MemberKind>(2), Returning(5), 0},
         ClassRegistry::kBadKind},
        {"class not declared",
         MethodRecord{Sym("NOCLASS"), run, MemberKind::Method, Returning(6), 0},
         ClassRegistry::kUnknownClass},
        {"member not in the table",
         MethodRecord{child, unknown, MemberKind::Method, Returning(7), 0},
         ClassRegistry::kUnknownSymbol},
        {"no code", MethodRecord{child, Sym("Y"), MemberKind::Method, {}, 0},
         ClassRegistry::kNoEntry},
    };
    for (const auto& m : members) EXPECT_EQ(registry.DeclareMethod(m.record), m.result) << m.what;
    EXPECT_EQ(registry.MemberCount(), 3u);
    EXPECT_EQ(registry.MemberCount(MemberKind::Method), 1u);
    EXPECT_EQ(registry.MemberCount(MemberKind::Access), 1u);
    EXPECT_EQ(registry.MemberCount(MemberKind::Assign), 1u);
}

TEST_F(ClassRegistryTest, CapacityFromRTInitLimitsClasses) {
    RTInitParams params;
    params.classCount = 2;
    ASSERT_EQ(RTInit(params), 0);
    EXPECT_EQ(DeclareClass({Sym("A"), {}, {}, {}, {}, {}}), 0);
    EXPECT_EQ(DeclareClass({Sym("B"), {}, {}, {}, {}, {}}), 0);
    EXPECT_EQ(DeclareClass({Sym("C"), {}, {}, {}, {}, {}}), ClassRegistry::kFull);
}

TEST_F(ClassRegistryTest, MembersAndFieldsAreFoundUpTheBaseChain) {
    auto& registry = State().classes;
    const auto root = Sym("ROOT"), mid = Sym("MID"), leaf = Sym("LEAF"), other = Sym("OTHER");
    const auto run = Sym("RUN"), stop = Sym("STOP"), early = Sym("EARLY"), field = Sym("AITEMS");
    ExportedField items{field, 0, UsualType::Array, 4, kFieldRead | kFieldWrite, {}, {}};
    ASSERT_EQ(registry.DeclareClass({root, {}, {}, {}, {{early, Returning(30)}}, {items}}), 0);
    ASSERT_EQ(registry.DeclareClass({mid, root, {}, {}, {}, {}}), 0);
    ASSERT_EQ(registry.DeclareClass({leaf, mid, {}, {}, {}, {}}), 0);
    ASSERT_EQ(registry.DeclareClass({other, {}, {}, {}, {}, {}}), 0);
    ASSERT_EQ(registry.DeclareMethod({root, run, MemberKind::Method, Returning(10), 0}), 0);
    ASSERT_EQ(registry.DeclareMethod({mid, run, MemberKind::Method, Returning(20), 0}), 0);
    ASSERT_EQ(registry.DeclareMethod({root, stop, MemberKind::Method, Returning(11), 0}), 0);

    TestObject self("LEAF");
    auto call = [&](Symbol cls, Symbol member) {
        const auto* record = registry.FindMember(cls, member, MemberKind::Method);
        return record == nullptr ? Usual() : record->entry(self, {});
    };
    EXPECT_EQ(call(leaf, run), Usual(20)) << "the nearest base's method wins";
    EXPECT_EQ(call(leaf, stop), Usual(11));
    EXPECT_EQ(call(leaf, early), Usual(30)) << "early-bound table of a base";
    EXPECT_EQ(call(root, run), Usual(10));
    EXPECT_TRUE(call(other, run).IsNil());
    EXPECT_EQ(registry.FindMember(leaf, run, MemberKind::Access), nullptr);
    ASSERT_NE(registry.FindField(leaf, field), nullptr);
    EXPECT_EQ(registry.FindField(other, field), nullptr);

    EXPECT_TRUE(registry.Derives(leaf, root));
    EXPECT_TRUE(registry.Derives(leaf, leaf));
    EXPECT_FALSE(registry.Derives(root, leaf));
    EXPECT_FALSE(registry.Derives(leaf, other));
    EXPECT_FALSE(registry.Derives(leaf, Symbol{}));
    EXPECT_EQ(registry.ClassOf(self), leaf);
    EXPECT_FALSE(registry.ClassOf(TestObject("UNDECLARED")));
}

}  // namespace
}  // namespace rt
