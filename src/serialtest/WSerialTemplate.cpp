#include "serialtest/WSerialTemplate.h"

#include "platform/runtime/Activation.h"
#include "platform/runtime/RuntimeState.h"

namespace serialtest {

const win::DialogTemplate& WSerialTemplate() {
    RT_ENTER("WSERIALTEMPLATE", "WSerial");
    RT_LINE();
    using win::ControlClass;
    static const win::DialogTemplate dialog = [] {
        win::DialogTemplate d;
        d.name = "WSERIAL";
        d.style = 0x40000040;  // WS_CHILD | DS_SETFONT
        d.exStyle = 0;
        d.rect = {4, 3, 442, 221};
        d.fontFace = u"MS Shell Dlg";
        d.pointSize = 8;
        d.weight = 0;
        d.italic = false;
        d.charset = 1;
        d.items = {
            {kGroupBox1, ControlClass::Button, 0x50020007, 0, u"Serial Protocol", {4, 3, 432, 78}},
            {kFixedText1, ControlClass::Static, 0x50000000, 0, u"Port name", {22, 17, 53, 13}},
            {kPortList, ControlClass::ComboBox, 0x50210103, 0, u"", {87, 17, 71, 50}},
            {kFixedText2, ControlClass::Static, 0x50000000, 0, u"Baud rate", {23, 36, 53, 12}},
            {kBaudList, ControlClass::ComboBox, 0x50210103, 0, u"", {87, 36, 72, 49}},
            {kFixedText3, ControlClass::Static, 0x50000000, 0, u"Parity", {24, 56, 54, 12}},
            {kParityList, ControlClass::ComboBox, 0x50210103, 0, u"", {86, 56, 73, 46}},
            {kDataBitsGroup, ControlClass::Button, 0x50020007, 0, u"Data bits", {248, 18, 67, 49}},
            {kSevenButton, ControlClass::Button, 0x50010009, 0, u"7", {258, 33, 52, 11}},
            {kEightButton, ControlClass::Button, 0x50010009, 0, u"8", {258, 50, 52, 11}},
            {kStopBitsGroup, ControlClass::Button, 0x50020007, 0, u"Stop bits", {332, 18, 67, 49}},
            {kZeroButton, ControlClass::Button, 0x50010009, 0, u"1", {344, 29, 36, 19}},
            {kTwoButton, ControlClass::Button, 0x50010009, 0, u"2", {344, 49, 51, 11}},
            {kCommEdit, ControlClass::Edit, 0x50A11044, 0, u"", {5, 89, 431, 85}},
            {kBeginButton, ControlClass::Button, 0x50010000, 0, u"Начать тест", {72, 193, 84, 18}},
            {kEndButton, ControlClass::Button, 0x50010000, 0, u"Конец теста", {184, 193, 84, 18}},
            {kExitButton, ControlClass::Button, 0x50010000, 0, u"Выход", {292, 193, 76, 18}},
        };
        return d;
    }();
    return dialog;
}

}  // namespace serialtest
