#include "serialtest/ReceiveRenderer.h"

#include <gtest/gtest.h>

#include <QString>
#include <cstdio>

namespace {

using serialtest::ReceiveRenderer;

QString Rendered(std::string_view bytes) {
    const std::u16string text = ReceiveRenderer::Render(bytes);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

TEST(ReceiveRenderer, Examples) {
    struct Case {
        std::string bytes;
        const char* expected;  // UTF-8
    };
    const Case cases[] = {
        {"Hi\r\n", "Hi[13][10]"},
        {std::string(1, '\0'), "[ 0]"},
        {"\x07", "[ 7]"},
        {"\x09", "[ 9]"},
        {"\x0a", "[10]"},
        {"\x1f", "[31]"},
        {" ", " "},
        {"\x7f", "\x7f"},
        {"\xc0\xff\xa8\xb9", "АяЁ№"},
        {"a\x1b[0m", "a[27][0m"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rendered(c.bytes), QString::fromUtf8(c.expected)) << "bytes " << c.bytes;
}

// All 256 values in one run, against a rendering built independently: four
// characters "[%2d]" below 32, one character otherwise.
TEST(ReceiveRenderer, AllByteValuesInOneRun) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    const QString text = Rendered(bytes);
    ASSERT_EQ(text.size(), 32 * 4 + 224);
    qsizetype at = 0;
    for (int b = 0; b < 256; ++b) {
        if (b < 32) {
            char expected[8];
            std::snprintf(expected, sizeof expected, "[%2d]", b);
            EXPECT_EQ(text.mid(at, 4), QLatin1String(expected)) << "byte " << b;
            at += 4;
        } else {
            const QChar c = text[at++];
            if (b < 128)
                EXPECT_EQ(c.unicode(), b) << "byte " << b;
            else
                EXPECT_GE(c.unicode(), 0x80) << "byte " << b;
        }
    }
    // The Cyrillic capitals and small letters run in alphabetical order.
    EXPECT_EQ(text.mid(text.size() - 64, 1), QString::fromUtf8("А"));
    EXPECT_EQ(text.right(1), QString::fromUtf8("я"));
}

TEST(ReceiveRenderer, AppendExtendsWithoutDisturbingWhatIsThere) {
    std::u16string out = u"x";
    ReceiveRenderer::Append("\r", out);
    ReceiveRenderer::Append("y", out);
    EXPECT_EQ(out, u"x[13]y");
}

}  // namespace

namespace {

TEST(ReceiveRenderer, LengthsAndTails) {
    struct Case {
        std::string bytes;
        std::size_t chars;
        std::size_t length;     // whole rendering
        std::size_t tailBytes;  // bytes that render into the last `chars`
    };
    const Case cases[] = {
        {"abc", 2, 3, 2},   {"abc", 3, 3, 3}, {"abc", 10, 3, 3},
        {"ab\r", 1, 6, 1},  // "[13]" alone covers one character
        {"ab\r", 5, 6, 2},  // "b[13]"
        {"\r\n", 5, 8, 2},  // needs both: "[13][10]" is 8
        {"x\r\n", 8, 9, 2}, {"", 4, 0, 0},    {"abc", 0, 3, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReceiveRenderer::RenderedLength(c.bytes), c.length) << c.bytes;
        EXPECT_EQ(ReceiveRenderer::TailBytesFor(c.bytes, c.chars), c.tailBytes)
            << c.bytes << " / " << c.chars;
    }
}

}  // namespace
