#pragma once
// Texts the serial test window shows or hands on, defined once.

namespace serialtest::texts {

inline constexpr char kBeginTest[] = "Начать тест";
inline constexpr char kEndTest[] = "Конец теста";
inline constexpr char kExit[] = "Выход";
// Followed by the port name: "Нельзя открыть порт Com3".
inline constexpr char kCannotOpenPort[] = "Нельзя открыть порт ";
inline constexpr char kWindowCaption[] = "DataWindow Caption";
inline constexpr char kSerialProtocol[] = "Serial Protocol";
inline constexpr char kPortName[] = "Port name";
inline constexpr char kBaudRate[] = "Baud rate";
inline constexpr char kParity[] = "Parity";
inline constexpr char kDataBits[] = "Data bits";
inline constexpr char kStopBits[] = "Stop bits";
// Tooltip of a port entry that maps to no device.
inline constexpr char kNoDevice[] = "no device";
// Pane font face.
inline constexpr char kPaneFace[] = "Courier New";

}  // namespace serialtest::texts
