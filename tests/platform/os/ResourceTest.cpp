#include "platform/os/Resource.h"

#include <gtest/gtest.h>

namespace os {
namespace {

TEST(ResourceTest, FiledBlocksAreFoundByModuleTypeAndName) {
    static const unsigned char first[] = {1, 2, 3};
    static const unsigned char second[] = {9};
    AddModuleResource(0, 21569, 7, first, sizeof first);
    AddModuleResource(0x9000, 21569, 7, second, sizeof second);

    for (HMODULE module : {HMODULE{0}, ProgramModule()}) {
        const HRSRC found = FindResourceA(module, 7, 21569);
        ASSERT_NE(found, nullptr) << "module 0 and the program's handle are the same module";
        EXPECT_EQ(LockResource(LoadResource(module, found)), first);
        EXPECT_EQ(SizeofResource(module, found), 3u);
    }
    EXPECT_EQ(LockResource(LoadResource(0x9000, FindResourceA(0x9000, 7, 21569))), second);
    EXPECT_EQ(FindResourceA(0, 8, 21569), nullptr) << "other name";
    EXPECT_EQ(FindResourceA(0, 7, 3), nullptr) << "other type";
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_EQ(SizeofResource(0, nullptr), 0u);

    const HRSRC held = FindResourceA(0, 7, 21569);
    AddModuleResource(0, 21569, 7, second, sizeof second);
    EXPECT_EQ(SizeofResource(0, FindResourceA(0, 7, 21569)), 1u) << "filing again replaces";
    EXPECT_EQ(SizeofResource(0, held), 3u) << "an earlier handle stays valid";
    RemoveModuleResource(0, 21569, 7);
    EXPECT_EQ(FindResourceA(0, 7, 21569), nullptr);
    RemoveModuleResource(0x9000, 21569, 7);
}

}  // namespace
}  // namespace os
