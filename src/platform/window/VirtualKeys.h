#pragma once
// Virtual-key codes of the platform and the table that maps Qt's keys to
// them. A key-down message carries the virtual-key code of its key in
// wParam: letters and digits are their upper-case ASCII codes whatever the
// Shift state, the numeric keypad and the punctuation keys have codes of
// their own (the punctuation codes are those of the keys' places on a US
// layout).

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
inline constexpr std::uint32_t VK_OEM_102 = 0xE2;     // the key between left Shift and Z
// A character that no key's code stands for (as when text is typed in).
inline constexpr std::uint32_t VK_PACKET = 0xE7;

// The virtual-key code of a key press: never 0, so every key-down carries a
// code. In this order:
//  1. Keys that are not characters get their own code (Enter, arrows, F1 to
//     F24, Shift, ...). Keys of the numeric keypad give the keypad's codes
//     for its digits and operators (the keypad's Enter is VK_RETURN, its
//     navigation keys the ordinary ones). A key is on the keypad when the
//     event carries Qt::KeypadModifier, when `nativeVirtualKey` is one of
//     XKB's keypad keysyms (0xFF80 to 0xFFBD), or when `nativeScanCode` is
//     the XKB keycode of a keypad key: Qt's Wayland platform never sets the
//     modifier, but both native values still tell where the key is.
//  2. Letters A to Z and digits give their upper-case ASCII code, whatever
//     the layout and the Shift state. Cyrillic letters give the code of their
//     key in the standard Russian (and Ukrainian) layout (Й is 'Q').
//  3. Any other character (punctuation, accented letters, dead keys, other
//     scripts) gets the code of the key it is typed on, by the key's physical
//     position on the standard US layout: ü on a German keyboard sits where
//     the US layout has [ and gives VK_OEM_4; & on a French keyboard sits on
//     the US 1 key and gives '1'. The position comes from `nativeScanCode`,
//     which on Linux (X11 and Wayland) is the XKB keycode: the kernel's input
//     event code plus 8.
//  4. With no known position (scan code 0 or outside the main block), the US
//     layout's punctuation by its character: '!' is '1', '?' is VK_OEM_2.
//  5. Anything else: VK_PACKET.
std::uint32_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers,
                               std::uint32_t nativeScanCode = 0,
                               std::uint32_t nativeVirtualKey = 0);

}  // namespace win
