#include "platform/runtime/Symbol.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

TEST(SymbolTableTest, NumbersFollowInsertionAndNamesAreCaseSensitive) {
    SymbolTable table(444);
    EXPECT_EQ(table.Add("Start").number, 444u);
    EXPECT_EQ(table.Add("START").number, 445u);
    EXPECT_EQ(table.Add("Start").number, 444u) << "adding again finds the existing symbol";
    EXPECT_EQ(table.NameOf(Symbol{445}), "START");
    EXPECT_EQ(table.NameOf(Symbol{443}), "");
    EXPECT_EQ(table.NameOf(Symbol{446}), "");
    EXPECT_FALSE(table.Find("start").has_value());
}

TEST(SymbolTableTest, FullTableAndEmptyNameGiveNoSymbol) {
    SymbolTable table(1, 2);
    EXPECT_TRUE(table.Add("A"));
    EXPECT_TRUE(table.Add("B"));
    EXPECT_FALSE(table.Add("C"));
    EXPECT_TRUE(table.Add("A")) << "an existing name is still found when full";
    EXPECT_FALSE(table.Add(""));
    table.Reset(10, 0);
    EXPECT_EQ(table.Add("C").number, 10u);
}

}  // namespace
}  // namespace rt

namespace rt {
namespace {

TEST(SymbolTableTest, ByteCapacityCountsEachNameWithItsZero) {
    SymbolTable table(444, 0, 8);
    EXPECT_EQ(table.Add("ABC").number, 444u);  // 4 bytes
    EXPECT_EQ(table.Add("DEF").number, 445u);  // 8 bytes: full
    EXPECT_FALSE(table.Add("G")) << "one more byte than allowed";
    EXPECT_EQ(table.Bytes(), 8u);
    EXPECT_EQ(table.Add("ABC").number, 444u) << "finding needs no room";
    table.Reset(444, 1, 0);
    EXPECT_EQ(table.Bytes(), 0u);
    EXPECT_TRUE(table.Add("A long name that only the count limits"));
}

}  // namespace
}  // namespace rt
