#pragma once
// The operating-system side of a serial line on POSIX systems: one terminal
// device opened non-blocking and exclusively, switched to raw mode, with
// settings applied and read back through termios. No Qt and no event loop
// here; the component watches Handle() for readiness.
//
// Only this POSIX backend is built; a Windows backend would be a sibling
// class with the same operations.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/runtime/Expected.h"
#include "platform/serial/LineSettings.h"
#include "platform/serial/LineSignals.h"
#include "platform/serial/UucpLock.h"

namespace serial {

class LoopbackPlug;

// Outcome of one read or write on the device.
struct IoResult {
    enum class Status { Done, WouldBlock, Lost };
    Status status = Status::Done;
    std::size_t bytes = 0;
    int error = 0;  // errno when Lost; 0 for a hang-up seen as end of file
};

class PosixLine {
  public:
    PosixLine();
    ~PosixLine();
    PosixLine(const PosixLine&) = delete;
    PosixLine& operator=(const PosixLine&) = delete;

    // Opens `path` read/write, non-blocking, without becoming its controlling
    // terminal; refuses what is not a terminal and a device another process
    // holds: one in the terminal's exclusive mode (root included, whom the
    // kernel lets in), one another process has open (found through /proc,
    // so a plain reader too), one with a live UUCP lock (UucpLock) and one
    // locked with flock. A refused device is closed untouched. An opened one
    // is held with flock, the terminal's exclusive mode and a UUCP lock where
    // the lock folder is writable, and switched to raw mode, keeping its baud
    // rate. A failure carries the reason, naming the holders it can see.
    rt::Expected<> Open(const std::string& path);
    // Leaves the exclusive mode Open set (never one it found), restores the
    // settings found at Open, removes its UUCP lock, lets go of an attached
    // plug and closes. Harmless when closed or when the device is gone.
    void Close();
    // Makes the open line answer as a port with `plug` on it, until Close:
    // Apply gives the device 8 data bits, no parity and one stop bit and
    // keeps the requested frame in the plug, ReadBack answers it from
    // there, and Modem and SetModem read and drive the plug's wiring. For the
    // near end of the built-in loopback line, whose pseudo-terminal keeps
    // none of these; ignored when closed.
    void AttachPlug(std::shared_ptr<LoopbackPlug> plug);
    bool IsOpen() const { return fd_ >= 0; }
    int Handle() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Whether the open line's bytes take time on a wire: its node is a serial
    // device of the device tree (DeviceScanner::HasDevice, the tree being
    // DeviceScanner::DefaultRoot()). FALSE for a pseudo-terminal, the
    // built-in loopback line among them, which passes bytes at memory speed;
    // FALSE when closed.
    bool Paced() const { return fd_ >= 0 && paced_; }

    // Applies `requested` (which must pass ValidSettings), the rate to both
    // directions, and reads back what the device keeps, both rates
    // included. A failure says why when the device rejects the call itself
    // or cannot be read back. A pseudo-terminal keeps 8 data bits and no
    // parity whatever it is asked, unless a plug is attached.
    rt::Expected<LineSettings> Apply(const LineSettings& requested);
    // The settings in force now; nullopt when they cannot be read.
    std::optional<LineSettings> ReadBack() const;

    // The modem lines now; a failure says why when the device keeps none
    // (a pseudo-terminal without a plug attached) or is not open.
    rt::Expected<ModemLines> Modem() const;
    // Sets RTS and DTR, leaving the other lines alone; a failure says why
    // the device refused.
    rt::Expected<> SetModem(bool rts, bool dtr);
    // Turns RTS/CTS hardware flow control on or off: while on, the
    // transmitter waits whenever CTS is low. Apply turns it off again. A
    // failure says why: the device refused the call or did not keep the
    // flag. A pseudo-terminal keeps the flag but has no lines to obey it;
    // Modem() tells that one apart. With a plug attached, the plug obeys.
    rt::Expected<> SetHardwareFlow(bool on);
    // The driver's error counters now; nullopt when the driver keeps none.
    std::optional<ErrorCounters> Counters() const;
    // Discards what waits in both directions.
    void Flush();

    IoResult Read(char* data, std::size_t size);
    IoResult Write(const char* data, std::size_t size);

  private:
    rt::Expected<LineSettings> ApplyToDevice(const LineSettings& requested);
    std::optional<LineSettings> DeviceSettings() const;

    int fd_ = -1;
    std::string path_;
    bool paced_ = false;
    bool exclusiveSet_ = false;  // Open put the terminal in exclusive mode
    UucpLock lock_;
    struct Saved;
    std::unique_ptr<Saved> saved_;  // termios found at Open, restored at Close
    std::shared_ptr<LoopbackPlug> plug_;
};

}  // namespace serial
