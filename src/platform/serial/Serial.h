#pragma once
// The serial port component: opens a line by port name, applies the line
// settings, tells a window when received bytes wait (a posted WM_COMMNOTIFY)
// and reads and writes bytes. Port names ("Com1".."Com9") map to devices
// through PortMap; the device name "loop" is the built-in loopback line.
//
// A Serial lives on the GUI thread: the device is watched by that thread's
// event loop and every notification is a posted message, never a call from
// another thread.

#include <QObject>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/os/PostedMessage.h"

namespace serial {

// Event mask bit of EnableEvents: notify when received bytes wait.
inline constexpr std::uint32_t EV_RXCHAR = 0x0001;

class Serial : public QObject {
    Q_OBJECT
  public:
    // A port object, not open; notifications go to `notifyWindow`.
    explicit Serial(os::HWND notifyWindow, QObject* parent = nullptr);
    ~Serial() override;

    // Opens the device that `portName` maps to; an open port is closed first.
    // FALSE (and one line on standard error saying why) when the name maps to
    // nothing, the device is missing, not permitted, not a terminal, or held
    // by another program.
    bool Open(const std::string& portName);
    // Closes the device, discards bytes still waiting in either direction and
    // switches notifications off: none goes out, also after a later Open,
    // until EnableEvents is called again. (Open of a port that is open or
    // lost closes it first but keeps the event mask.) Harmless on a closed
    // or lost port.
    void Close();
    bool IsOpen() const;
    // TRUE once the open device went away (a pulled adapter, a closed far
    // end): its descriptor is closed (the port still counts as open),
    // Write does nothing (keys typed meanwhile are never sent), bytes
    // received before the loss stay readable, and one line on standard
    // error said so. Close or a new Open clears it. A device the device tree
    // identifies is awaited: when the same device is back (under any node,
    // never a twin of it: see DeviceMonitor), the port opens it afresh with
    // the settings last applied, notifications resume, IsLost turns FALSE
    // and one line says so, naming the node now in use.
    bool IsLost() const;

    // Line settings kept for SetProtocol. Parity codes: 0 none, 1 odd,
    // 2 even, 3 mark, 4 space. Stop bits: 0 one, 1 one and a half, 2 two.
    void SetBaud(std::uint32_t baud);
    void SetParity(std::uint8_t parity);
    void SetByteSize(std::uint8_t byteSize);
    void SetStopBits(std::uint8_t stopBits);
    std::uint32_t Baud() const;
    std::uint8_t Parity() const;
    std::uint8_t ByteSize() const;
    std::uint8_t StopBits() const;

    // Applies the four settings to the open port; FALSE with ErrorDesc set
    // when the port is closed or the device refuses any of them.
    bool SetProtocol();
    std::string ErrorDesc() const;

    // With EV_RXCHAR set, WM_COMMNOTIFY is posted to the notify window
    // whenever received bytes wait. Posts are coalesced: one goes out when
    // bytes start waiting, the next only after the reader has looked at the
    // queue (ReceiverPending or Read) and bytes wait again or still. A mask
    // of 0 stops notifications.
    void EnableEvents(std::uint32_t mask);

    // Number of received bytes waiting; falls to 0 as they are read. At most
    // the receive queue's capacity: while it is full the device is not read,
    // so a flood waits in the kernel instead of in memory.
    std::uint32_t ReceiverPending();
    // Up to `count` waiting bytes, removed from the queue. Read(1) is O(1).
    std::string Read(std::uint32_t count);
    // Queues the bytes for sending and sends what the device takes now;
    // does nothing on a closed or lost port. When the backlog is full the
    // write is cut, reported once on standard error, and later writes are
    // dropped until the backlog has gone out.
    void Write(const std::string& bytes);

  signals:
    // The open device went away (`lost` TRUE) or the port is no longer lost
    // (FALSE): its device came back, or the port was closed or opened anew.
    // `line` is the line written to standard error, without the program's
    // prefix ("Com1 (/dev/ttyUSB0): device lost"); empty for a close.
    void LostChanged(bool lost, const QString& line);

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace serial
