#pragma once
// The ports in use, one line each, for `comtest --list-ports`:
//
//   Com1  /dev/ttyS0    built-in UART                                free
//   Com3  /dev/ttyUSB0  FT232R USB UART, FTDI, serial A50285BI, ...  held by minicom (process 4242)
//   Com5  loop          built-in loopback line                       free
//
// A device the tree knows is described with its Particulars (serial number,
// socket, by-id name), which tell twin adapters apart.
//
// A port is in use when a present device carries its number or the command
// line or the environment maps it. The state is "free", "held by" the
// programs that have the device open, "not permitted, group G" when this
// user may not open it, or "missing" for a mapped path that does not exist.
// Nothing is opened to find this out (opening a serial device may reset
// what is attached to it).

#include <string>
#include <vector>

namespace serial {

class PortMap;

class PortListing {
  public:
    struct Row {
        std::string port;
        std::string device;
        std::string description;
        std::string state;
    };

    static std::vector<Row> Rows(const PortMap& map);
    // The rows as aligned lines, each ended by a line feed; empty when there
    // are no rows. Cells are escaped (ShownText::Escape) and aligned by the
    // columns they take on a terminal, not by their bytes.
    static std::string Text(const std::vector<Row>& rows);
};

}  // namespace serial
