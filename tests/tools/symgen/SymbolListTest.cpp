#include "SymbolList.h"

#include <gtest/gtest.h>

#include <string>

namespace symgen {
namespace {

struct BadList {
    const char* what;
    std::string text;
    std::string error;  // expected start of the error text
    friend void PrintTo(const BadList& list, std::ostream* os) { *os << list.what; }
};

class SymbolListRejects : public testing::TestWithParam<BadList> {};

TEST_P(SymbolListRejects, FaultyListWithItsLine) {
    SymbolList list;
    std::string error;
    EXPECT_FALSE(ParseSymbolList(GetParam().text, list, error));
    EXPECT_EQ(error.rfind(GetParam().error, 0), 0u) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SymbolListRejects,
    testing::Values(BadList{"duplicate", "A\nB\n# c\nA\n",
                            "line 4: duplicate name \"A\" (first on line 1)"},
                    BadList{"leading space", "A\n B\n", "line 2: name starts or ends"},
                    BadList{"trailing space", "A \n", "line 1: name starts or ends"},
                    BadList{"tab inside", "A\tB\n", "line 1: name holds a control"},
                    BadList{"duplicate after CR strip", "A\r\nA\n", "line 2: duplicate"}),
    [](const auto& param) {
        std::string name = param.param.what;
        for (auto& c : name)
            if (c == ' ') c = '_';
        return name;
    });

TEST(SymbolListTest, KeepsOrderCaseAndInnerSpaces) {
    SymbolList list;
    std::string error;
    ASSERT_TRUE(ParseSymbolList("# comment\nSTART\n\nStart\r\nSerialMLE Class\nLAST", list, error))
        << error;
    EXPECT_EQ(list.names, (std::vector<std::string>{"START", "Start", "SerialMLE Class", "LAST"}));
    EXPECT_EQ(list.lines, (std::vector<std::size_t>{2, 4, 5, 6}));
}

TEST(SymbolListTest, ConstantNamesAndTheirCollisions) {
    EXPECT_EQ(ConstantName("WSERIAL:BEGINBUTTON"), "kWSERIAL_BEGINBUTTON");
    EXPECT_EQ(ConstantName("SerialMLE Class"), "kSerialMLE_Class");
    EXPECT_EQ(ConstantName("_SENDSELF"), "k_SENDSELF");

    SymbolList distinct{{"Start", "START"}, {1, 2}};
    std::string error;
    EXPECT_TRUE(CheckConstantNames(distinct, error)) << error;

    SymbolList clash{{"A:B", "X", "A B"}, {1, 2, 3}};
    EXPECT_FALSE(CheckConstantNames(clash, error));
    EXPECT_EQ(error, "line 3: \"A B\" and \"A:B\" both become kA_B");
}

TEST(SymbolListTest, EncodesMagicLengthPrefixedNamesAndEndMark) {
    const std::string bytes = EncodeAtomTable({"AB", "c"});
    const std::string expected(
        "ATOMTABLE\0\0\0"
        "\x03\0\0\0AB\0"
        "\x02\0\0\0c\0"
        "\0\0\0\0",
        12 + 7 + 6 + 4);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(EncodeAtomTable({}), std::string("ATOMTABLE\0\0\0\0\0\0\0", 16));
}

TEST(SymbolListTest, LongNameLengthIsLittleEndian) {
    const std::string name(300, 'N');
    const std::string bytes = EncodeAtomTable({name});
    ASSERT_EQ(bytes.size(), 12u + 4 + 301 + 4);
    EXPECT_EQ(static_cast<unsigned char>(bytes[12]), 301 & 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[13]), 301 >> 8);
    EXPECT_EQ(bytes[14], '\0');
    EXPECT_EQ(bytes[15], '\0');
}

TEST(SymbolListTest, HeaderNumbersFromFirstNumberAndSourceHoldsEveryByte) {
    SymbolList list{{"ONE", "Two"}, {1, 2}};
    const std::string header = HeaderText(list, 444, "app::sym", "Names.txt");
    EXPECT_NE(header.find("inline constexpr rt::Symbol kONE{444};"), std::string::npos);
    EXPECT_NE(header.find("inline constexpr rt::Symbol kTwo{445};"), std::string::npos);
    EXPECT_NE(header.find("kCount = 2;"), std::string::npos);

    const std::string source = SourceText(std::string("A\0\xFF", 3), "app::sym", "app/S.h", "N");
    EXPECT_NE(source.find("#include \"app/S.h\""), std::string::npos);
    EXPECT_NE(source.find("0x41, 0x00, 0xFF,\n};"), std::string::npos) << source;
}

}  // namespace
}  // namespace symgen
