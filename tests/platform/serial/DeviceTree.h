#pragma once
// A device tree of a test's own, laid out as the machine's: sysfs entries of
// the tty class under root/sys and device nodes under root/dev. Each node is
// a link to a pseudo-terminal whose far end the test plays. Adding a device
// is plugging it in (sysfs first, then the node, as the kernel does);
// removing it is pulling it (the node goes, then sysfs, then the line hangs
// up).

#include <QTemporaryDir>
#include <map>
#include <memory>
#include <string>

#include "PtyPair.h"

namespace serial::testing {

struct UsbInfo {
    std::string vendorId = "0403";
    std::string productId = "6001";
    std::string serialNumber = "A50285BI";  // empty: the device has none
    std::string product = "FT232R USB UART";
    std::string manufacturer = "FTDI";
    std::string socket = "1-1";  // the USB port path it is plugged into
    std::string interface = "00";
    bool acm = false;  // ttyACM: the tty hangs off the interface itself
};

class DeviceTree {
  public:
    DeviceTree();
    bool Ok() const { return dir_.isValid(); }
    std::string Root() const { return dir_.path().toStdString(); }
    std::string Node(const std::string& name) const { return Root() + "/dev/" + name; }

    // A built-in UART port; `type` 0 is a name with no UART behind it.
    PtyPair* AddUart(const std::string& name, int type = 4);
    PtyPair* AddUsb(const std::string& name, const UsbInfo& usb = {}, bool byIdLink = true);
    // A tty without a device link, as consoles are.
    void AddVirtual(const std::string& name);
    void Remove(const std::string& name);
    PtyPair* Far(const std::string& name) const;

  private:
    PtyPair* AddNode(const std::string& name, const std::string& sysDevice);

    QTemporaryDir dir_;
    std::map<std::string, std::unique_ptr<PtyPair>> lines_;
    std::map<std::string, std::string> sysDirs_;  // name -> folder to remove on unplug
};

}  // namespace serial::testing
