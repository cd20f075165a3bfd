#pragma once
// Finds the serial devices of the machine in its device tree: the sysfs
// entries of the tty class and the device nodes beside them.
//
// `root` is "/" for the machine itself; tests and measurements point it at a
// folder of their own laid out the same way (root/sys/class/tty/<name>,
// root/dev/<name>, root/dev/serial/by-id). Neither libudev nor Qt's serial
// port information can be pointed at such a folder, and the few attributes
// needed here are plain files, so they are read directly.
//
// A tty counts as a serial device when its sysfs entry has a `device` link
// (consoles and pseudo-terminals have none) and its node exists. A ttyS whose
// `type` attribute is 0 has no UART behind it and is left out. A device with
// a USB ancestor (the first directory up the `device` path holding idVendor)
// is a USB device; its serial, manufacturer, product, idVendor and idProduct
// come from there and its interface number from the interface directory just
// below it. Unreadable or odd entries are skipped, never fatal.

#include <string>
#include <vector>

#include "platform/serial/SerialDevice.h"

namespace serial {

class DeviceScanner {
  public:
    explicit DeviceScanner(std::string root) : root_(std::move(root)) {}

    // "/" unless COMTEST_DEVICE_ROOT names another tree.
    static std::string DefaultRoot();

    const std::string& Root() const { return root_; }
    // The tree's device folder ("/dev"), where nodes come and go.
    std::string DeviceFolder() const;

    // Every serial device present, in numbering order: built-in UARTs first,
    // then the others, each group by kernel name with numbers compared as
    // numbers (ttyS2 before ttyS10).
    std::vector<SerialDevice> Scan() const;

    // Whether `path` is the node of a tty with a device behind it: root/dev/
    // NAME, as named or by any link on its way there (a by-id link), whose
    // sysfs entry has a `device` link, the first test Scan applies. Its bytes then
    // take time on a wire. FALSE for pseudo-terminals, consoles, nodes outside
    // the tree and a path that cannot be resolved.
    bool HasDevice(const std::string& path) const;

  private:
    std::string root_;
};

}  // namespace serial
