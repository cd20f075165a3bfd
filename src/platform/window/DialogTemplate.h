#pragma once
// A dialog template as the program's resources store it: the window's style
// words, position and size in dialog units, its font, and its items. Captions
// are UTF-16. Controls of a data window are made from its items by id.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace win {

// Style bits the layer reads from templates.
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;
inline constexpr std::uint32_t WS_GROUP = 0x00020000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;
inline constexpr std::uint32_t DS_SETFONT = 0x00000040;
inline constexpr std::uint32_t BS_TYPEMASK = 0x0000000F;
inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
inline constexpr std::uint32_t BS_GROUPBOX = 0x7;
inline constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x9;
inline constexpr std::uint32_t CBS_DROPDOWNLIST = 0x0003;
inline constexpr std::uint32_t CBS_SORT = 0x0100;
inline constexpr std::uint32_t ES_MULTILINE = 0x0004;
inline constexpr std::uint32_t ES_AUTOVSCROLL = 0x0040;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr std::uint32_t ES_READONLY = 0x0800;
inline constexpr std::uint32_t ES_WANTRETURN = 0x1000;

// The style words of the controls forms are made of: each is shown
// (WS_CHILD | WS_VISIBLE); all but labels and frames take the focus by Tab.
inline constexpr std::uint32_t kShownChild = WS_CHILD | WS_VISIBLE;
// A frame that also starts a group of radio buttons.
inline constexpr std::uint32_t kGroupBoxStyle = kShownChild | WS_GROUP | BS_GROUPBOX;
inline constexpr std::uint32_t kLabelStyle = kShownChild;
inline constexpr std::uint32_t kDropDownListStyle =
    kShownChild | WS_VSCROLL | WS_TABSTOP | CBS_SORT | CBS_DROPDOWNLIST;
inline constexpr std::uint32_t kRadioButtonStyle = kShownChild | WS_TABSTOP | BS_AUTORADIOBUTTON;
inline constexpr std::uint32_t kPushButtonStyle = kShownChild | WS_TABSTOP | BS_PUSHBUTTON;
// A bordered multi-line edit that keeps Enter and scrolls down as it fills.
inline constexpr std::uint32_t kMultiLineEditStyle = kShownChild | WS_BORDER | WS_VSCROLL |
                                                     WS_TABSTOP | ES_WANTRETURN | ES_AUTOVSCROLL |
                                                     ES_MULTILINE;
// A form set in its own font, inside another window.
inline constexpr std::uint32_t kChildFormStyle = WS_CHILD | DS_SETFONT;

// The platform's predefined control classes.
enum class ControlClass { Button, Edit, Static, ComboBox };

// A rectangle in dialog units.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct DialogItem {
    std::uint16_t id = 0;
    ControlClass controlClass = ControlClass::Static;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::u16string caption;
    DialogRect rect;
};

struct DialogTemplate {
    std::string name;  // resource name, as stored
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::u16string title;
    DialogRect rect;
    // Font of the window and its items (with DS_SETFONT).
    std::u16string fontFace;
    int pointSize = 8;
    int weight = 0;
    bool italic = false;
    int charset = 1;
    std::vector<DialogItem> items;

    // The item with this id; nullopt when the template has none.
    std::optional<DialogItem> Item(std::uint16_t id) const;
};

}  // namespace win
