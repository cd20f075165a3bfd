#include "platform/window/VirtualKeys.h"

#include <algorithm>
#include <array>
#include <utility>

namespace win {
namespace {

using Pair = std::pair<int, std::uint32_t>;

// The punctuation keys of the US layout by the character they give, plain or
// shifted; used only when the key's position is not known.
constexpr auto kUsSymbols = std::to_array<Pair>({
    {Qt::Key_Exclam, '1'},
    {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},
    {Qt::Key_Colon, VK_OEM_1},
    {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_At, '2'},
    {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Underscore, VK_OEM_MINUS},
    {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BraceRight, VK_OEM_6},
    {Qt::Key_AsciiTilde, VK_OEM_3},
});

// Keys that are not characters, by their Qt key, sorted for binary search.
constexpr auto kKeys = std::to_array<Pair>({
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_Print, 0x2C},         {Qt::Key_SysReq, 0x2C},
    {Qt::Key_Clear, VK_CLEAR},     {Qt::Key_Home, VK_HOME},
    {Qt::Key_End, VK_END},         {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},       {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},   {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Meta, 0x5B},  // left Windows key
    {Qt::Key_Alt, VK_MENU},        {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL},
    {Qt::Key_Super_L, 0x5B},       {Qt::Key_Super_R, 0x5C},
    {Qt::Key_Menu, 0x5D},          {Qt::Key_Help, 0x2F},
    {Qt::Key_Back, 0xA6},          {Qt::Key_Forward, 0xA7},
    {Qt::Key_Stop, 0xA9},          {Qt::Key_Refresh, 0xA8},
    {Qt::Key_VolumeDown, 0xAE},    {Qt::Key_VolumeMute, 0xAD},
    {Qt::Key_VolumeUp, 0xAF},      {Qt::Key_MediaPlay, 0xB3},
    {Qt::Key_MediaStop, 0xB2},     {Qt::Key_MediaPrevious, 0xB1},
    {Qt::Key_MediaNext, 0xB0},     {Qt::Key_MediaTogglePlayPause, 0xB3},
    {Qt::Key_HomePage, 0xAC},      {Qt::Key_Favorites, 0xAB},
    {Qt::Key_Search, 0xAA},        {Qt::Key_LaunchMail, 0xB4},
    {Qt::Key_AltGr, VK_MENU},      {Qt::Key_Select, 0x29},
    {Qt::Key_Cancel, 0x03},        {Qt::Key_Execute, 0x2B},
    {Qt::Key_Sleep, 0x5F},
});

// The numeric keypad's operators (OnKeypad says when a key is on it).
constexpr auto kKeypad = std::to_array<Pair>({
    {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},
    {Qt::Key_Comma, VK_DECIMAL},
    {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},
    {Qt::Key_Slash, VK_DIVIDE},
    {Qt::Key_Equal, VK_OEM_PLUS},
});

// The Russian layout's letters, upper case, with the Latin key they sit on.
constexpr auto kCyrillic = std::to_array<Pair>({
    {0x0401, VK_OEM_3},  // Ё
    // The Ukrainian layout's own letters, on the keys of Э, Ы and Ъ.
    {0x0404, VK_OEM_7},  // Є
    {0x0406, 'S'},       // І
    {0x0407, VK_OEM_6},  // Ї
    {0x0410, 'F'},
    {0x0411, VK_OEM_COMMA},
    {0x0412, 'D'},
    {0x0413, 'U'},
    {0x0414, 'L'},
    {0x0415, 'T'},
    {0x0416, VK_OEM_1},
    {0x0417, 'P'},
    {0x0418, 'B'},
    {0x0419, 'Q'},
    {0x041A, 'R'},
    {0x041B, 'K'},
    {0x041C, 'V'},
    {0x041D, 'Y'},
    {0x041E, 'J'},
    {0x041F, 'G'},
    {0x0420, 'H'},
    {0x0421, 'C'},
    {0x0422, 'N'},
    {0x0423, 'E'},
    {0x0424, 'A'},
    {0x0425, VK_OEM_4},
    {0x0426, 'W'},
    {0x0427, 'X'},
    {0x0428, 'I'},
    {0x0429, 'O'},
    {0x042A, VK_OEM_6},
    {0x042B, 'S'},
    {0x042C, 'M'},
    {0x042D, VK_OEM_7},
    {0x042E, VK_OEM_PERIOD},
    {0x042F, 'Z'},
});

// The character keys of a standard keyboard by position: for each Linux
// input event code (the XKB keycode less 8) of the main block, the code the
// key has on the US layout. 0: not a character key.
constexpr std::uint32_t kUsLayoutByPosition[] = {
    0,
    0,
    '1',
    '2',
    '3',
    '4',
    '5',
    '6',
    '7',
    '8',
    '9',
    '0',
    VK_OEM_MINUS,
    VK_OEM_PLUS,
    0,
    0,
    'Q',
    'W',
    'E',
    'R',
    'T',
    'Y',
    'U',
    'I',
    'O',
    'P',
    VK_OEM_4,
    VK_OEM_6,
    0,
    0,
    'A',
    'S',
    'D',
    'F',
    'G',
    'H',
    'J',
    'K',
    'L',
    VK_OEM_1,
    VK_OEM_7,
    VK_OEM_3,
    0,
    VK_OEM_5,
    'Z',
    'X',
    'C',
    'V',
    'B',
    'N',
    'M',
    VK_OEM_COMMA,
    VK_OEM_PERIOD,
    VK_OEM_2,
    0,
    0,
    0,
    VK_SPACE,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    0,
    VK_OEM_102,
};
static_assert(std::size(kUsLayoutByPosition) == 87, "one entry per event code up to KEY_102ND");

// XKB keycodes are the kernel's input event codes plus 8.
constexpr std::uint32_t kXkbKeycodeOffset = 8;

std::uint32_t UsLayoutCodeAt(std::uint32_t nativeScanCode) {
    if (nativeScanCode < kXkbKeycodeOffset) return 0;
    const std::uint32_t event = nativeScanCode - kXkbKeycodeOffset;
    return event < std::size(kUsLayoutByPosition) ? kUsLayoutByPosition[event] : 0;
}

// XKB's keysyms of the numeric keypad, KP_Space to KP_Equal, whatever the
// Num Lock state.
constexpr std::uint32_t kKeypadKeysymFirst = 0xFF80;
constexpr std::uint32_t kKeypadKeysymLast = 0xFFBD;

// The input event codes of the keypad's keys (KEY_KP7 .. KEY_KPDOT in one
// run, then the ones the kernel added later).
constexpr std::uint32_t kKeypadEventRunFirst = 71;
constexpr std::uint32_t kKeypadEventRunLast = 83;
constexpr std::uint32_t kKeypadEvents[] = {
    55,   // KEY_KPASTERISK
    96,   // KEY_KPENTER
    98,   // KEY_KPSLASH
    117,  // KEY_KPEQUAL
    121,  // KEY_KPCOMMA
};

bool OnKeypad(Qt::KeyboardModifiers modifiers, std::uint32_t nativeScanCode,
              std::uint32_t nativeVirtualKey) {
    if (modifiers.testFlag(Qt::KeypadModifier)) return true;
    if (nativeVirtualKey >= kKeypadKeysymFirst && nativeVirtualKey <= kKeypadKeysymLast)
        return true;
    if (nativeScanCode < kXkbKeycodeOffset) return false;
    const std::uint32_t event = nativeScanCode - kXkbKeycodeOffset;
    return (event >= kKeypadEventRunFirst && event <= kKeypadEventRunLast) ||
           std::find(std::begin(kKeypadEvents), std::end(kKeypadEvents), event) !=
               std::end(kKeypadEvents);
}

template <std::size_t N>
constexpr bool Sorted(const std::array<Pair, N>& table) {
    for (std::size_t i = 1; i < N; ++i)
        if (table[i - 1].first >= table[i].first) return false;
    return true;
}
static_assert(Sorted(kKeys) && Sorted(kKeypad) && Sorted(kCyrillic),
              "key tables must be sorted by Qt key for binary search");

template <std::size_t N>
std::uint32_t Find(const std::array<Pair, N>& table, int key) {
    auto it = std::lower_bound(table.begin(), table.end(), key,
                               [](const Pair& p, int k) { return p.first < k; });
    return it != table.end() && it->first == key ? it->second : 0;
}

}  // namespace

std::uint32_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers,
                               std::uint32_t nativeScanCode, std::uint32_t nativeVirtualKey) {
    const bool keypad = OnKeypad(modifiers, nativeScanCode, nativeVirtualKey);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + static_cast<std::uint32_t>(qtKey - Qt::Key_0)
                      : static_cast<std::uint32_t>(qtKey);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<std::uint32_t>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + static_cast<std::uint32_t>(qtKey - Qt::Key_F1);
    if (keypad) {
        if (const auto code = Find(kKeypad, qtKey)) return code;
    }
    if (const auto code = Find(kKeys, qtKey)) return code;
    if (const auto code = Find(kCyrillic, qtKey)) return code;
    if (const auto code = UsLayoutCodeAt(nativeScanCode)) return code;
    if (const auto code = Find(kUsSymbols, qtKey)) return code;
    return VK_PACKET;
}

}  // namespace win
