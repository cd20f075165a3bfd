#include "platform/runtime/RawError.h"

#include <gtest/gtest.h>

#include <cstring>

namespace rt {
namespace {

TEST(RawErrorTest, FieldsSitAtTheirOffsetsLittleEndian) {
    struct Case {
        RawError::Field field;
        std::size_t offset;
    };
    const Case cases[] = {
        {RawError::SubSystem, 0},    {RawError::SubCode, 4},         {RawError::GenCode, 8},
        {RawError::OsCode, 12},      {RawError::Severity, 16},       {RawError::CanDefault, 20},
        {RawError::CanRetry, 24},    {RawError::CanSubstitute, 28},  {RawError::Operation, 32},
        {RawError::Description, 36}, {RawError::FileName, 40},       {RawError::Args, 44},
        {RawError::Tries, 48},       {RawError::FuncSym, 52},        {RawError::FileHandle, 56},
        {RawError::ArgNum, 60},      {RawError::FuncPtr, 64},        {RawError::SubCodeText, 68},
        {RawError::Arg, 72},         {RawError::ArgType, 76},        {RawError::ArgTypeReq, 80},
        {RawError::MaxSize, 84},     {RawError::SubstituteType, 88}, {RawError::Choice, 92},
        {RawError::CallFuncSym, 96},
    };
    ASSERT_EQ(std::size(cases), 25u);
    for (const auto& c : cases) {
        RawError raw;
        raw.Set(c.field, 0x11223344);
        const auto bytes = raw.Bytes();
        EXPECT_EQ(bytes[c.offset], 0x44) << c.offset;
        EXPECT_EQ(bytes[c.offset + 3], 0x11) << c.offset;
        int nonZero = 0;
        for (auto b : bytes) nonZero += b != 0;
        EXPECT_EQ(nonZero, 4) << "field at " << c.offset << " spills over";
        EXPECT_EQ(raw.Get(c.field), 0x11223344u);
    }
}

TEST(RawErrorTest, TextsTravelByAddressIntoTheRecordsMemory) {
    RawError raw;
    raw.SetText(RawError::Operation, "FOPEN");
    raw.SetText(RawError::Description, "sharing violation");
    raw.SetText(RawError::Arg, "");
    EXPECT_EQ(raw.Text(RawError::Operation), "FOPEN");
    EXPECT_EQ(raw.Text(RawError::Description), "sharing violation");
    EXPECT_EQ(raw.Get(RawError::Arg), 0u);
    EXPECT_EQ(raw.Text(RawError::Arg), "");
    EXPECT_GE(raw.Get(RawError::Operation), RawError::kMemoryBase);
}

TEST(RawErrorTest, UntrustedAddressesReadSafely) {
    // Memory "ab" without its closing zero, then nothing.
    std::vector<std::uint8_t> memory{'a', 'b'};
    RawError source;
    source.Set(RawError::Operation, RawError::kMemoryBase);        // unterminated text
    source.Set(RawError::Description, RawError::kMemoryBase + 2);  // one past the end
    source.Set(RawError::FileName, 12);                            // below the memory
    source.Set(RawError::Arg, 0xFFFFFFFF);
    const auto raw = RawError::FromBytes(source.Bytes(), memory);
    EXPECT_EQ(raw.Text(RawError::Operation), "ab");
    EXPECT_EQ(raw.Text(RawError::Description), "");
    EXPECT_EQ(raw.Text(RawError::FileName), "");
    EXPECT_EQ(raw.Text(RawError::Arg), "");
}

TEST(RawErrorTest, ShortRecordsCountMissingBytesAsZero) {
    const std::uint8_t bytes[] = {0, 0, 0, 0, 7, 0, 0, 0, 21};
    const auto raw = RawError::FromBytes(bytes);
    EXPECT_EQ(raw.Get(RawError::SubCode), 7u);
    EXPECT_EQ(raw.Get(RawError::GenCode), 21u);
    EXPECT_EQ(raw.Get(RawError::CallFuncSym), 0u);
    EXPECT_FALSE(raw.HasArgBlock());
    EXPECT_TRUE(raw.ArgValues().empty());
}

TEST(RawErrorTest, ArgBlockValuesComeBackByType) {
    RawError raw;
    int local = 0;
    raw.SetArgs({Usual(std::int32_t{-5}), Usual("Com1"), Usual(1.5), Usual(true),
                 Usual(Symbol{444}), Usual(Date{2451545}), NIL, Usual::ArrayOf({1}),
                 Usual(static_cast<void*>(&local))});
    const auto values = raw.ArgValues();
    ASSERT_EQ(values.size(), 9u);
    EXPECT_EQ(values[0], Usual(std::int32_t{-5}));
    EXPECT_EQ(values[1].AsText(), "Com1");
    EXPECT_TRUE(values[2].IsFloat());
    EXPECT_DOUBLE_EQ(values[2].AsFloat(), 1.5);
    EXPECT_EQ(values[3], Usual(true));
    EXPECT_EQ(values[4].AsSymbol(), Symbol{444});
    EXPECT_EQ(values[5].AsDate(), Date{2451545});
    EXPECT_TRUE(values[6].IsNil());
    EXPECT_TRUE(values[7].IsNil()) << "an array does not fit a cell";
    EXPECT_TRUE(values[8].IsPtr());
}

TEST(RawErrorTest, ArgBlockTakesTheLargerCountButNeverReadsPastTheMemory) {
    struct Case {
        std::uint16_t count1, count2;
        std::size_t cells, expected;
    };
    const Case cases[] = {
        {2, 3, 3, 3}, {3, 2, 3, 3}, {0, 0, 2, 0}, {5, 1, 2, 2}, {0xFFFF, 0, 1, 1},
    };
    for (const auto& c : cases) {
        RawError raw;
        Array cells(c.cells);
        for (std::size_t i = 0; i < c.cells; ++i) cells[i] = static_cast<std::int32_t>(i);
        raw.SetArgBlock(c.count1, c.count2, cells);
        const auto values = raw.ArgValues();
        ASSERT_EQ(values.size(), c.expected) << c.count1 << "/" << c.count2;
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(values[i].AsLong(), static_cast<std::int32_t>(i));
    }
}

TEST(RawErrorTest, ClearZeroesEveryField) {
    RawError raw;
    raw.Set(RawError::GenCode, 28);
    raw.SetText(RawError::Arg, "x");
    raw.Clear();
    for (auto b : raw.Bytes()) EXPECT_EQ(b, 0);
    EXPECT_TRUE(raw.Memory().empty());
}

}  // namespace
}  // namespace rt
