#include "platform/window/CodePage1251.h"

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define COMTEST_HAVE_ICONV 1
#endif

namespace {

TEST(CodePage1251, AsciiHalfIsIdentity) {
    for (int b = 0; b < 128; ++b) EXPECT_EQ(win::Cp1251ToUnicode(static_cast<std::uint8_t>(b)), b);
}

TEST(CodePage1251, LandmarksOfTheCyrillicHalf) {
    struct Case {
        std::uint8_t byte;
        char16_t expected;
    };
    const Case cases[] = {
        {0x80, u'Ђ'}, {0x88, u'€'}, {0x98, 0x0098}, {0xA0, 0x00A0}, {0xA8, u'Ё'}, {0xB8, u'ё'},
        {0xB9, u'№'}, {0xC0, u'А'}, {0xDF, u'Я'},   {0xE0, u'а'},   {0xFF, u'я'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(win::Cp1251ToUnicode(c.byte), c.expected) << "byte " << int(c.byte);
}

#ifdef COMTEST_HAVE_ICONV
// The system's own converter is an independent reference for the whole half.
TEST(CodePage1251, AgreesWithSystemConverter) {
    iconv_t cd = iconv_open("UTF-16LE", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP1251 converter on this system";
    int compared = 0;
    for (int b = 0x80; b < 0x100; ++b) {
        char in = static_cast<char>(b);
        char out[4] = {};
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) continue;
        const char16_t expected = static_cast<char16_t>(static_cast<unsigned char>(out[0]) |
                                                        (static_cast<unsigned char>(out[1]) << 8));
        EXPECT_EQ(win::Cp1251ToUnicode(static_cast<std::uint8_t>(b)), expected) << "byte " << b;
        ++compared;
    }
    iconv_close(cd);
    EXPECT_GE(compared, 127);
}
#endif

}  // namespace
