#pragma once
// One serial device of the machine as the device tree describes it: what the
// port list shows about it and what identifies it across unplugging.

#include <string>

namespace serial {

struct SerialDevice {
    enum class Kind { Uart, Usb, Other };

    std::string name;  // kernel name: "ttyS0", "ttyUSB0", "ttyACM1"
    std::string node;  // device node: "/dev/ttyUSB0" (below the tree's root)
    // The node with every link followed, as the scan found it; empty when it
    // could not be resolved.
    std::string target;
    Kind kind = Kind::Other;
    // What stays the same when the device is unplugged, plugged into another
    // socket or the machine restarts: "uart:ttyS0" for a built-in UART,
    // "usb:0403:6001:A50285BI:if00" for a USB device with a serial number.
    // A USB device without one is known by its socket ("usb:0403:6001:at:1-1.2:if00").
    // Twins (see DeviceMonitor) add their socket: "usb:0403:6001:0001:if00:at:1-2".
    std::string identity;
    std::string serialNumber;  // USB serial number, if any
    std::string socket;        // USB port path it is plugged into ("1-1.2"); empty when not USB
    std::string product;       // USB product string, if any
    std::string manufacturer;  // USB manufacturer string, if any
    std::string vendorId;      // USB idVendor, four hex digits
    std::string productId;     // USB idProduct
    std::string byId;          // the /dev/serial/by-id link naming it, if any

    // What the device is, without its node: "FT232R USB UART, FTDI",
    // "built-in UART", "USB serial device 0403:6001".
    std::string Description() const;
    // What tells alike devices apart: "serial A50285BI" for a USB device
    // with a serial number, then its socket where its identity holds it
    // ("socket 1-2": twins and devices without a serial number), then the
    // name of its /dev/serial/by-id link; parts joined by ", ", empty when
    // there are none.
    std::string Particulars() const;
};

}  // namespace serial
