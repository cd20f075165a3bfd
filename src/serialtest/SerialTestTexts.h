#pragma once
// Texts the serial test window shows or hands on, defined once. Those marked
// QT_TRANSLATE_NOOP are shown in the user's language (win::Translations).

#include <QtGlobal>

namespace serialtest::texts {

inline constexpr char kBeginTest[] = QT_TRANSLATE_NOOP("comtest", "Начать тест");
inline constexpr char kEndTest[] = QT_TRANSLATE_NOOP("comtest", "Конец теста");
inline constexpr char kExit[] = QT_TRANSLATE_NOOP("comtest", "Выход");
// Followed by the port name: "Нельзя открыть порт Com3".
inline constexpr char kCannotOpenPort[] = QT_TRANSLATE_NOOP("comtest", "Нельзя открыть порт ");
inline constexpr char kWindowCaption[] = "DataWindow Caption";
inline constexpr char kSerialProtocol[] = "Serial Protocol";
inline constexpr char kPortName[] = "Port name";
inline constexpr char kBaudRate[] = "Baud rate";
inline constexpr char kParity[] = "Parity";
inline constexpr char kDataBits[] = "Data bits";
inline constexpr char kStopBits[] = "Stop bits";
// Captions of the radio buttons; the stop-bit buttons' values ("0", "2")
// are the line's stop-bit codes, not their captions.
inline constexpr char kSevenBits[] = "7";
inline constexpr char kEightBits[] = "8";
inline constexpr char kOneStopBit[] = "1";
inline constexpr char kTwoStopBits[] = "2";
// The receive pane's name for screen readers.
inline constexpr char kPaneName[] = "Received data";
// Tooltip of a port entry that maps to no device.
inline constexpr char kNoDevice[] = "no device";
// Pane font face.
inline constexpr char kPaneFace[] = "Courier New";

}  // namespace serialtest::texts
