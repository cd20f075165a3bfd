#pragma once
// The dialog template "WSerial": the test window's controls with their ids,
// style words, captions and places in dialog units, and its font.

#include "platform/window/DialogTemplate.h"

namespace serialtest {

// Control ids of the template.
enum WSerialId : std::uint16_t {
    kGroupBox1 = 100,
    kFixedText1 = 101,
    kPortList = 102,
    kFixedText2 = 103,
    kBaudList = 104,
    kFixedText3 = 105,
    kParityList = 106,
    kDataBitsGroup = 107,
    kSevenButton = 108,
    kEightButton = 109,
    kStopBitsGroup = 110,
    kZeroButton = 111,
    kTwoButton = 112,
    kCommEdit = 113,
    kBeginButton = 114,
    kEndButton = 115,
    kExitButton = 116,
};

const win::DialogTemplate& WSerialTemplate();

}  // namespace serialtest
