#pragma once
// Virtual-key codes of the platform and the table that maps Qt's keys to
// them. A key-down message carries the virtual-key code of its key in
// wParam: letters and digits are their upper-case ASCII codes whatever the
// Shift state, the numeric keypad and the punctuation keys have codes of
// their own (the punctuation codes are those of a US layout).

#include <Qt>
#include <cstdint>

namespace win {

inline constexpr std::uint32_t VK_BACK = 0x08;
inline constexpr std::uint32_t VK_TAB = 0x09;
inline constexpr std::uint32_t VK_CLEAR = 0x0C;
inline constexpr std::uint32_t VK_RETURN = 0x0D;
inline constexpr std::uint32_t VK_SHIFT = 0x10;
inline constexpr std::uint32_t VK_CONTROL = 0x11;
inline constexpr std::uint32_t VK_MENU = 0x12;
inline constexpr std::uint32_t VK_PAUSE = 0x13;
inline constexpr std::uint32_t VK_CAPITAL = 0x14;
inline constexpr std::uint32_t VK_ESCAPE = 0x1B;
inline constexpr std::uint32_t VK_SPACE = 0x20;
inline constexpr std::uint32_t VK_PRIOR = 0x21;
inline constexpr std::uint32_t VK_NEXT = 0x22;
inline constexpr std::uint32_t VK_END = 0x23;
inline constexpr std::uint32_t VK_HOME = 0x24;
inline constexpr std::uint32_t VK_LEFT = 0x25;
inline constexpr std::uint32_t VK_UP = 0x26;
inline constexpr std::uint32_t VK_RIGHT = 0x27;
inline constexpr std::uint32_t VK_DOWN = 0x28;
inline constexpr std::uint32_t VK_INSERT = 0x2D;
inline constexpr std::uint32_t VK_DELETE = 0x2E;
inline constexpr std::uint32_t VK_NUMPAD0 = 0x60;
inline constexpr std::uint32_t VK_MULTIPLY = 0x6A;
inline constexpr std::uint32_t VK_ADD = 0x6B;
inline constexpr std::uint32_t VK_SUBTRACT = 0x6D;
inline constexpr std::uint32_t VK_DECIMAL = 0x6E;
inline constexpr std::uint32_t VK_DIVIDE = 0x6F;
inline constexpr std::uint32_t VK_F1 = 0x70;
inline constexpr std::uint32_t VK_F24 = 0x87;
inline constexpr std::uint32_t VK_NUMLOCK = 0x90;
inline constexpr std::uint32_t VK_SCROLL = 0x91;
inline constexpr std::uint32_t VK_OEM_1 = 0xBA;       // ; :
inline constexpr std::uint32_t VK_OEM_PLUS = 0xBB;    // = +
inline constexpr std::uint32_t VK_OEM_COMMA = 0xBC;   // , <
inline constexpr std::uint32_t VK_OEM_MINUS = 0xBD;   // - _
inline constexpr std::uint32_t VK_OEM_PERIOD = 0xBE;  // . >
inline constexpr std::uint32_t VK_OEM_2 = 0xBF;       // / ?
inline constexpr std::uint32_t VK_OEM_3 = 0xC0;       // ` ~
inline constexpr std::uint32_t VK_OEM_4 = 0xDB;       // [ {
inline constexpr std::uint32_t VK_OEM_5 = 0xDC;       // \ |
inline constexpr std::uint32_t VK_OEM_6 = 0xDD;       // ] }
inline constexpr std::uint32_t VK_OEM_7 = 0xDE;       // ' "

// The virtual-key code of a Qt key, or 0 for a key that has none. With
// Qt::KeypadModifier the digits and operators give the keypad's own codes
// (the keypad's Enter is VK_RETURN, its navigation keys the ordinary ones).
// Shifted symbols give the code of the key that carries them ('!' is '1',
// '?' is VK_OEM_2), and Cyrillic letters the code of their key in the
// standard Russian layout (Й is 'Q'), so a key sends the same code in
// either layout.
std::uint32_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);

}  // namespace win
