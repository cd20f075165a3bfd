#include "platform/window/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

using win::VirtualKeyFromQt;

struct KeyCase {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    std::uint32_t expected;
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kPad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

TEST(VirtualKeys, NamedKeys) {
    const KeyCase cases[] = {
        {Qt::Key_Return, kNone, 13},   {Qt::Key_Enter, kPad, 13},     {Qt::Key_Backspace, kNone, 8},
        {Qt::Key_Tab, kNone, 9},       {Qt::Key_Backtab, kShift, 9},  {Qt::Key_Escape, kNone, 27},
        {Qt::Key_Space, kNone, 32},    {Qt::Key_Delete, kNone, 46},   {Qt::Key_Insert, kNone, 45},
        {Qt::Key_Left, kNone, 37},     {Qt::Key_Up, kNone, 38},       {Qt::Key_Right, kNone, 39},
        {Qt::Key_Down, kNone, 40},     {Qt::Key_Home, kNone, 36},     {Qt::Key_End, kNone, 35},
        {Qt::Key_PageUp, kNone, 33},   {Qt::Key_PageDown, kNone, 34}, {Qt::Key_Shift, kShift, 16},
        {Qt::Key_Control, kNone, 17},  {Qt::Key_Alt, kNone, 18},      {Qt::Key_CapsLock, kNone, 20},
        {Qt::Key_NumLock, kNone, 144}, {Qt::Key_Pause, kNone, 19},    {Qt::Key_Home, kPad, 36},
        {Qt::Key_Delete, kPad, 46},    {Qt::Key_Clear, kPad, 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.modifiers), c.expected) << "Qt key " << c.qtKey;
}

TEST(VirtualKeys, LettersAndDigitsAreUpperCaseAscii) {
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k) {
        EXPECT_EQ(VirtualKeyFromQt(k, kNone), static_cast<std::uint32_t>(k));
        EXPECT_EQ(VirtualKeyFromQt(k, kShift), static_cast<std::uint32_t>(k));
    }
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k)
        EXPECT_EQ(VirtualKeyFromQt(k, kNone), static_cast<std::uint32_t>('0' + (k - Qt::Key_0)));
}

TEST(VirtualKeys, FunctionKeysRunFrom112To135) {
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1 + i, kNone), 112u + static_cast<std::uint32_t>(i));
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F25, kNone), win::VK_PACKET);
}

TEST(VirtualKeys, KeypadHasCodesOfItsOwn) {
    for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(VirtualKeyFromQt(Qt::Key_0 + i, kPad), 0x60u + static_cast<std::uint32_t>(i));
    const KeyCase cases[] = {
        {Qt::Key_Asterisk, kPad, 0x6A},
        {Qt::Key_Plus, kPad, 0x6B},
        {Qt::Key_Minus, kPad, 0x6D},
        {Qt::Key_Period, kPad, 0x6E},
        {Qt::Key_Comma, kPad, 0x6E},
        {Qt::Key_Slash, kPad, 0x6F},
        // The same symbols off the keypad are punctuation keys.
        {Qt::Key_Plus, kShift, 0xBB},
        {Qt::Key_Minus, kNone, 0xBD},
        {Qt::Key_Slash, kNone, 0xBF},
        {Qt::Key_Asterisk, kShift, '8'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.modifiers), c.expected) << "Qt key " << c.qtKey;
}

TEST(VirtualKeys, KeypadKnownByItsPlaceWithoutTheKeypadModifier) {
    // As Qt's Wayland platform reports the keypad: no Qt::KeypadModifier,
    // the XKB keycode (event code + 8) and the keysym.
    constexpr std::uint32_t kXkb = 8;
    struct Case {
        const char* what;
        int qtKey;
        std::uint32_t scanCode;
        std::uint32_t keysym;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"KP_0", Qt::Key_0, 82 + kXkb, 0xFFB0, 96},
        {"KP_9", Qt::Key_9, 73 + kXkb, 0xFFB9, 105},
        {"KP_Multiply", Qt::Key_Asterisk, 55 + kXkb, 0xFFAA, 106},
        {"KP_Add", Qt::Key_Plus, 78 + kXkb, 0xFFAB, 107},
        {"KP_Subtract", Qt::Key_Minus, 74 + kXkb, 0xFFAD, 109},
        {"KP_Decimal", Qt::Key_Period, 83 + kXkb, 0xFFAE, 110},
        {"KP_Divide", Qt::Key_Slash, 98 + kXkb, 0xFFAF, 111},
        {"KP_Enter", Qt::Key_Enter, 96 + kXkb, 0xFF8D, 13},
        {"KP_Up (Num Lock off) is the arrow", Qt::Key_Up, 72 + kXkb, 0xFF97, 38},
        {"KP_5 by keysym alone", Qt::Key_5, 0, 0xFFB5, 101},
        {"KP_7 by keycode alone", Qt::Key_7, 71 + kXkb, 0, 103},
        {"KP_Separator by keycode alone", Qt::Key_Comma, 121 + kXkb, 0, 110},
        // The same characters off the keypad stay on the main keyboard.
        {"main 0", Qt::Key_0, 11 + kXkb, '0', '0'},
        {"main -", Qt::Key_Minus, 12 + kXkb, '-', 0xBD},
        {"main /", Qt::Key_Slash, 53 + kXkb, '/', 0xBF},
        {"main * (Shift+8)", Qt::Key_Asterisk, 9 + kXkb, '*', '8'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey, kNone, c.scanCode, c.keysym), c.expected) << c.what;
}

TEST(VirtualKeys, PunctuationOfUsLayoutPlainAndShifted) {
    // Each pair: the unshifted and shifted symbol of one key, and its code.
    struct Pair {
        int plain;
        int shifted;
        std::uint32_t code;
    };
    const Pair pairs[] = {
        {Qt::Key_Semicolon, Qt::Key_Colon, 0xBA},
        {Qt::Key_Equal, Qt::Key_Plus, 0xBB},
        {Qt::Key_Comma, Qt::Key_Less, 0xBC},
        {Qt::Key_Minus, Qt::Key_Underscore, 0xBD},
        {Qt::Key_Period, Qt::Key_Greater, 0xBE},
        {Qt::Key_Slash, Qt::Key_Question, 0xBF},
        {Qt::Key_QuoteLeft, Qt::Key_AsciiTilde, 0xC0},
        {Qt::Key_BracketLeft, Qt::Key_BraceLeft, 0xDB},
        {Qt::Key_Backslash, Qt::Key_Bar, 0xDC},
        {Qt::Key_BracketRight, Qt::Key_BraceRight, 0xDD},
        {Qt::Key_Apostrophe, Qt::Key_QuoteDbl, 0xDE},
        {Qt::Key_1, Qt::Key_Exclam, '1'},
        {Qt::Key_2, Qt::Key_At, '2'},
        {Qt::Key_3, Qt::Key_NumberSign, '3'},
        {Qt::Key_4, Qt::Key_Dollar, '4'},
        {Qt::Key_5, Qt::Key_Percent, '5'},
        {Qt::Key_6, Qt::Key_AsciiCircum, '6'},
        {Qt::Key_7, Qt::Key_Ampersand, '7'},
        {Qt::Key_8, Qt::Key_Asterisk, '8'},
        {Qt::Key_9, Qt::Key_ParenLeft, '9'},
        {Qt::Key_0, Qt::Key_ParenRight, '0'},
    };
    for (const auto& p : pairs) {
        EXPECT_EQ(VirtualKeyFromQt(p.plain, kNone), p.code) << "Qt key " << p.plain;
        EXPECT_EQ(VirtualKeyFromQt(p.shifted, kShift), p.code) << "Qt key " << p.shifted;
    }
}

TEST(VirtualKeys, RussianLayoutLettersSendTheirKeysCode) {
    const KeyCase cases[] = {
        {0x0419, kNone, 'Q'},   // Й
        {0x0424, kNone, 'A'},   // Ф
        {0x042F, kShift, 'Z'},  // Я
        {0x0401, kNone, 0xC0},  // Ё
        {0x0425, kNone, 0xDB},  // Х
        {0x042E, kNone, 0xBE},  // Ю
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.modifiers), c.expected) << "Qt key " << c.qtKey;
}

TEST(VirtualKeys, EveryCyrillicCapitalHasADistinctKey) {
    std::vector<std::uint32_t> seen;
    for (int k = 0x0410; k <= 0x042F; ++k) {
        const auto code = VirtualKeyFromQt(k, kNone);
        ASSERT_NE(code, 0u) << "Qt key " << k;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), code), 0) << "Qt key " << k;
        seen.push_back(code);
    }
}

TEST(VirtualKeys, OtherLayoutsGoByTheKeysPlaceOnTheUsLayout) {
    // Scan codes are XKB keycodes: the input event code plus 8.
    constexpr std::uint32_t kXkb = 8;
    struct Case {
        const char* what;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        std::uint32_t scanCode;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"German ü on [", Qt::Key_Udiaeresis, kNone, 26 + kXkb, 0xDB},
        {"German Ö on ;", Qt::Key_Odiaeresis, kShift, 39 + kXkb, 0xBA},
        {"German ß on -", Qt::Key_ssharp, kNone, 12 + kXkb, 0xBD},
        {"German dead ^ on `", Qt::Key_Dead_Circumflex, kNone, 41 + kXkb, 0xC0},
        {"German < on the 102nd key", Qt::Key_Less, kNone, 86 + kXkb, 0xE2},
        {"German / is Shift+7", Qt::Key_Slash, kShift, 8 + kXkb, '7'},
        {"German + on ]", Qt::Key_Plus, kNone, 27 + kXkb, 0xDD},
        {"French , on M", Qt::Key_Comma, kNone, 50 + kXkb, 'M'},
        {"French m on ;", Qt::Key_M, kNone, 39 + kXkb, 'M'},
        {"French & on the 1 key", Qt::Key_Ampersand, kNone, 2 + kXkb, '1'},
        {"French Shift+1", Qt::Key_1, kShift, 2 + kXkb, '1'},
        {"French A where US has Q", Qt::Key_A, kNone, 16 + kXkb, 'A'},
        {"Ukrainian і", 0x0406, kNone, 31 + kXkb, 'S'},
        {"Ukrainian ї without a place", 0x0407, kNone, 0, 0xDD},
        {"Greek α on A", 0x0391, kNone, 30 + kXkb, 'A'},
        {"space by its place", Qt::Key_Space, kNone, 57 + kXkb, win::VK_SPACE},
        {"US & without a place", Qt::Key_Ampersand, kShift, 0, '7'},
        {"keypad comes before the place", Qt::Key_Period, kPad, 83 + kXkb, 0x6E},
        {"Greek α without a place", 0x0391, kNone, 0, win::VK_PACKET},
        {"unknown key", Qt::Key_unknown, kNone, 0, win::VK_PACKET},
        {"place beyond the main block", Qt::Key_Hangul, kNone, 130 + kXkb, win::VK_PACKET},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.modifiers, c.scanCode), c.expected) << c.what;
}

}  // namespace
