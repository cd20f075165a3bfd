#include "platform/runtime/AtomTableReader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace rt {
namespace {

std::string Entry(const std::string& name) {
    const auto length = static_cast<std::uint32_t>(name.size() + 1);
    std::string out;
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(length >> shift));
    return out + name + std::string(1, '\0');
}

std::string Length(std::uint32_t length) {
    std::string out;
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(length >> shift));
    return out;
}

const std::string kMagic("ATOMTABLE\0\0\0", 12);

// Reads every name of a block copied to a buffer of exactly its size, so a
// read past the end is a read past the allocation.
struct ReadResult {
    std::vector<std::string> names;
    AtomTableFault fault;
};

ReadResult ReadAll(const std::string& bytes) {
    auto buffer = std::make_unique<unsigned char[]>(bytes.size() + 1);
    std::copy(bytes.begin(), bytes.end(), buffer.get());
    AtomTableReader reader(buffer.get(), bytes.size());
    ReadResult result;
    std::string_view name;
    while (reader.Next(name)) result.names.emplace_back(name);
    result.fault = reader.Fault();
    EXPECT_FALSE(reader.Next(name)) << "a finished reader stays finished";
    return result;
}

TEST(AtomTableReaderTest, ReadsNamesExactlyAsStoredUpToTheEndMark) {
    const auto result =
        ReadAll(kMagic + Entry("Start") + Entry("START") + Entry("SerialMLE Class") + Length(0) +
                "trailing bytes are not read");
    EXPECT_EQ(result.fault, AtomTableFault::None);
    EXPECT_EQ(result.names, (std::vector<std::string>{"Start", "START", "SerialMLE Class"}));
}

TEST(AtomTableReaderTest, FirstLengthZeroIsAnEmptyTable) {
    const auto result = ReadAll(kMagic + Length(0));
    EXPECT_EQ(result.fault, AtomTableFault::None);
    EXPECT_TRUE(result.names.empty());
}

TEST(AtomTableReaderTest, EveryByteOfTheMagicCounts) {
    const std::string good = kMagic + Entry("A") + Length(0);
    for (std::size_t i = 0; i < AtomTableReader::kMagicSize; ++i) {
        std::string bad = good;
        bad[i] = static_cast<char>(bad[i] ^ 0x20);
        AtomTableReader reader(reinterpret_cast<const unsigned char*>(bad.data()), bad.size());
        EXPECT_FALSE(reader.HasMagic()) << "byte " << i;
        EXPECT_EQ(reader.Fault(), AtomTableFault::BadMagic) << "byte " << i;
        std::string_view name;
        EXPECT_FALSE(reader.Next(name)) << "no name is read after a bad magic, byte " << i;
    }
}

TEST(AtomTableReaderTest, MissingOrShortBlock) {
    AtomTableReader missing(nullptr, 0);
    EXPECT_EQ(missing.Fault(), AtomTableFault::Missing);
    EXPECT_FALSE(missing.HasMagic());
    const std::string shortMagic("ATOMTABLE\0", 10);
    EXPECT_EQ(ReadAll(shortMagic).fault, AtomTableFault::BadMagic);
}

struct MalformedCase {
    const char* what;
    std::string bytes;
    std::size_t namesBefore;
    AtomTableFault fault;
    friend void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.what; }
};

class AtomTableReaderMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(AtomTableReaderMalformed, RejectedWithoutReadingPastTheEnd) {
    const auto result = ReadAll(GetParam().bytes);
    EXPECT_EQ(result.names.size(), GetParam().namesBefore);
    EXPECT_EQ(result.fault, GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, AtomTableReaderMalformed,
    testing::Values(
        MalformedCase{"NoEndMark", kMagic + Entry("A"), 1, AtomTableFault::Truncated},
        MalformedCase{"LengthCutShort", kMagic + Entry("A") + std::string("\0\0", 2), 1,
                      AtomTableFault::Truncated},
        MalformedCase{"NameCutShort", kMagic + Length(6) + "AB", 0, AtomTableFault::Overlong},
        MalformedCase{"LengthBeyondEnd", kMagic + Length(9) + std::string("ABC\0", 4) + Length(0),
                      0, AtomTableFault::Overlong},
        MalformedCase{"HugeLengthDoesNotWrap", kMagic + Entry("A") + Length(0xFFFFFFFFu) + "xyz", 1,
                      AtomTableFault::Overlong},
        MalformedCase{"NoTerminator", kMagic + Length(3) + "ABC" + Length(0), 0,
                      AtomTableFault::BadEntry},
        MalformedCase{"ZeroInsideName", kMagic + Length(4) + std::string("A\0B\0", 4) + Length(0),
                      0, AtomTableFault::BadEntry},
        MalformedCase{"EmptyName", kMagic + Length(1) + std::string(1, '\0') + Length(0), 0,
                      AtomTableFault::BadEntry}),
    [](const auto& param) { return std::string(param.param.what); });

}  // namespace
}  // namespace rt
