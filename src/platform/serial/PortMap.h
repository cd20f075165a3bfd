#pragma once
// Port names to devices. The window offers "Com1".."Com9"; Open receives
// those names and asks the current map for the device behind them:
//
//   1. a mapping given on the command line: --port ComN=PATH (repeatable);
//      the last one for a port wins;
//   2. the environment variable COMTEST_COMN=PATH (COMTEST_COM3 for Com3);
//   3. the number the machine's devices carry (DeviceMonitor, PortNumbering)
//      when a device monitor is set: the present device numbered N, else
//      nothing;
//   4. without a device monitor: /dev/ttyS(N-1).
//
// Port names compare without regard to case ("com3" is "Com3"). A name that
// is not ComN with N from 1 to 255 maps to nothing unless mapped explicitly.
// The device "loop" is the built-in loopback line (a file of that name is
// reached as ./loop).
//
// At start-up, before any port opens, the program adds the mappings of its
// command line (AddMapping), gives the map the machine's devices (SetDevices)
// and installs it (Install).
//
// PortMap::Current().DeviceFor("Com3") then names the device behind a port,
// Describe("Com3") what it is, for showing to the operator.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/runtime/Expected.h"

namespace serial {

class DeviceMonitor;

class PortMap {
  public:
    // Reads an environment variable; nullopt when it is unset.
    using EnvLookup = std::function<std::optional<std::string>(const std::string&)>;

    // Uses the process environment.
    PortMap();
    explicit PortMap(EnvLookup env);

    // Adds one mapping from a --port value "ComN=PATH". A value that does not
    // parse fails with one line naming it and leaves the map as it was.
    rt::Expected<> AddMapping(const std::string& value);

    // The device `portName` maps to; empty when it maps to nothing.
    std::string DeviceFor(const std::string& portName) const;
    // Why a name that maps to nothing does: no device has its number when
    // the map knows the machine's devices, else the name maps to no device.
    std::string_view UnmappedReason() const;
    // What identifies the device behind `portName` across unplugging (see
    // SerialDevice); empty when it is no device of the monitored tree.
    std::string IdentityFor(const std::string& portName) const;
    // The port's tooltip: "FT232R USB UART, FTDI, /dev/ttyUSB0, serial
    // A50285BI, usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0" (the device's
    // Particulars after its path), "built-in UART, /dev/ttyS0", "built-in
    // loopback line"; the bare path of a mapped device the tree does not
    // know; empty when the port maps to nothing.
    std::string Describe(const std::string& portName) const;
    // What the device behind `portName` is, without its path: "FT232R USB
    // UART, FTDI", "built-in loopback line"; empty when the device tree does
    // not know it.
    std::string Kind(const std::string& portName) const;
    // SerialDevice::Particulars of the device behind `portName`; empty when
    // the device tree does not know it.
    std::string Particulars(const std::string& portName) const;
    // Whether a device is behind `portName` now: the loopback line, or a
    // device node that exists.
    bool HasDevice(const std::string& portName) const;
    // The mapping given on the command line or in the environment for port
    // `number`; empty when there is none.
    std::string ExplicitDevice(int number) const;

    // The machine's devices and their numbers; shared by copies of the map.
    void SetDevices(std::shared_ptr<DeviceMonitor> devices);
    DeviceMonitor* Devices() const { return devices_.get(); }

    // The map the process uses. main installs the one parsed from its
    // arguments; until then it is a map of the environment and the defaults.
    // This is the component's one piece of process-wide state.
    static const PortMap& Current();
    static void Install(PortMap map);

  private:
    static std::string DefaultDevice(int number);

    EnvLookup env_;
    std::map<int, std::string> explicit_;  // port number -> device
    std::shared_ptr<DeviceMonitor> devices_;
};

}  // namespace serial
