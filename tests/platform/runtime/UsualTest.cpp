#include "platform/runtime/Usual.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

TEST(UsualTest, TypeCodesFollowTheContent) {
    struct Case {
        Usual value;
        UsualType type;
        std::uint32_t code;
    };
    int local = 0;
    const Case cases[] = {
        {Usual{}, UsualType::Nil, 0},
        {Usual{std::int32_t{5}}, UsualType::Long, 1},
        {Usual{1.5}, UsualType::Float, 3},
        {Usual{"x"}, UsualType::String, 7},
        {Usual{true}, UsualType::Logic, 8},
        {Usual::ArrayOf({1, 2}), UsualType::Array, 5},
        {Usual{Symbol{444}}, UsualType::Symbol, 10},
        {Usual{static_cast<void*>(&local)}, UsualType::Ptr, 18},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.Type(), c.type);
        EXPECT_EQ(static_cast<std::uint32_t>(c.value.Type()), c.code);
    }
}

TEST(UsualTest, WrongTypeReadsGiveEmptyValues) {
    const Usual text{"9600"};
    EXPECT_EQ(text.AsLong(), 0);
    EXPECT_FALSE(text.AsLogic());
    EXPECT_EQ(text.AsArray(), nullptr);
    EXPECT_EQ(Usual{std::int32_t{7}}.AsText(), "");
    EXPECT_DOUBLE_EQ(Usual{std::int32_t{7}}.AsFloat(), 7.0);
}

TEST(UsualTest, EqualityComparesNumbersAcrossTypesAndArraysByIdentity) {
    EXPECT_EQ(Usual{std::int32_t{2}}, Usual{2.0});
    EXPECT_FALSE(Usual{std::int32_t{2}} == Usual{2.5});
    EXPECT_FALSE(Usual{"2"} == Usual{std::int32_t{2}});
    auto a = Usual::ArrayOf({1});
    EXPECT_EQ(a, a);
    EXPECT_FALSE(a == Usual::ArrayOf({1}));
    EXPECT_EQ(Usual{}, NIL);
}

}  // namespace
}  // namespace rt
