#include "serialtest/WSerialTemplate.h"

#include <QString>
#include <string_view>

#include "platform/runtime/Activation.h"
#include "serialtest/SerialTestTexts.h"

namespace serialtest {
namespace {

// Captions are stored as UTF-16, the texts header holds them as UTF-8.
std::u16string Utf16(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

}  // namespace

const win::DialogTemplate& WSerialTemplate() {
    RT_ENTER("WSERIALTEMPLATE", "WSerial");
    using win::ControlClass;
    static const win::DialogTemplate dialog = [] {
        win::DialogTemplate d;
        d.name = "WSERIAL";
        d.style = win::kChildFormStyle;
        d.exStyle = 0;
        d.rect = {4, 3, 442, 221};
        d.fontFace = u"MS Shell Dlg";
        d.pointSize = 8;
        d.weight = 0;
        d.italic = false;
        d.charset = 1;
        d.items = {
            {kGroupBox1,
             ControlClass::Button,
             win::kGroupBoxStyle,
             0,
             Utf16(texts::kSerialProtocol),
             {4, 3, 432, 78}},
            {kFixedText1,
             ControlClass::Static,
             win::kLabelStyle,
             0,
             Utf16(texts::kPortName),
             {22, 17, 53, 13}},
            {kPortList, ControlClass::ComboBox, win::kDropDownListStyle, 0, u"", {87, 17, 71, 50}},
            {kFixedText2,
             ControlClass::Static,
             win::kLabelStyle,
             0,
             Utf16(texts::kBaudRate),
             {23, 36, 53, 12}},
            {kBaudList, ControlClass::ComboBox, win::kDropDownListStyle, 0, u"", {87, 36, 72, 49}},
            {kFixedText3,
             ControlClass::Static,
             win::kLabelStyle,
             0,
             Utf16(texts::kParity),
             {24, 56, 54, 12}},
            {kParityList,
             ControlClass::ComboBox,
             win::kDropDownListStyle,
             0,
             u"",
             {86, 56, 73, 46}},
            {kDataBitsGroup,
             ControlClass::Button,
             win::kGroupBoxStyle,
             0,
             Utf16(texts::kDataBits),
             {248, 18, 67, 49}},
            {kSevenButton,
             ControlClass::Button,
             win::kRadioButtonStyle,
             0,
             Utf16(texts::kSevenBits),
             {258, 33, 52, 11}},
            {kEightButton,
             ControlClass::Button,
             win::kRadioButtonStyle,
             0,
             Utf16(texts::kEightBits),
             {258, 50, 52, 11}},
            {kStopBitsGroup,
             ControlClass::Button,
             win::kGroupBoxStyle,
             0,
             Utf16(texts::kStopBits),
             {332, 18, 67, 49}},
            {kZeroButton,
             ControlClass::Button,
             win::kRadioButtonStyle,
             0,
             Utf16(texts::kOneStopBit),
             {344, 29, 36, 19}},
            {kTwoButton,
             ControlClass::Button,
             win::kRadioButtonStyle,
             0,
             Utf16(texts::kTwoStopBits),
             {344, 49, 51, 11}},
            {kCommEdit, ControlClass::Edit, win::kMultiLineEditStyle, 0, u"", {5, 89, 431, 85}},
            {kBeginButton,
             ControlClass::Button,
             win::kPushButtonStyle,
             0,
             Utf16(texts::kBeginTest),
             {72, 193, 84, 18}},
            {kEndButton,
             ControlClass::Button,
             win::kPushButtonStyle,
             0,
             Utf16(texts::kEndTest),
             {184, 193, 84, 18}},
            {kExitButton,
             ControlClass::Button,
             win::kPushButtonStyle,
             0,
             Utf16(texts::kExit),
             {292, 193, 76, 18}},
        };
        return d;
    }();
    return dialog;
}

}  // namespace serialtest
