#pragma once
// The built-in loopback line: a pseudo-terminal pair whose far end sends
// back every byte written to the near end, as a port with a loopback plug
// does. The component opens the near end (DevicePath) exactly like a real
// device, so the loopback exercises the same code path, and hands the line
// object the Plug, which keeps what the pseudo-terminal cannot (parity, 7
// data bits, modem lines). The echo carries each byte as the plug's frame
// does (7 data bits lose the top bit), and holds them back while the plug's
// flow control has CTS low. It runs on the event loop of the thread the line
// lives on.

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <string>

#include "platform/runtime/Expected.h"
#include "platform/serial/LoopbackPlug.h"

namespace serial {

class LoopbackLine : public QObject {
    Q_OBJECT
  public:
    explicit LoopbackLine(QObject* parent = nullptr);
    ~LoopbackLine() override;

    // Creates the pair; a failure says why the system refused it.
    rt::Expected<> Create();
    // The near end's device path, valid after Create.
    const std::string& DevicePath() const { return devicePath_; }
    // The plug of the line, new with each Create; hand it to the line object
    // that opens DevicePath (PosixLine::AttachPlug).
    std::shared_ptr<LoopbackPlug> Plug() const { return plug_; }
    // Starts echoing; call once the near end is open (before that the far
    // end reads as hung up).
    void Start();
    // Stops echoing and closes the far end; the near end then sees a hang-up.
    void Close();

  private:
    void OnReadable();
    void OnWritable();
    void OnHoldTick();
    void Stop();

    int far_ = -1;
    std::string devicePath_;
    std::shared_ptr<LoopbackPlug> plug_;
    std::unique_ptr<QSocketNotifier> readable_;
    std::unique_ptr<QSocketNotifier> writable_;
    // Bytes read from the far end that the near end's input did not take
    // yet. While any wait, the far end is not read, so the near end's writer
    // feels the back-pressure instead of this buffer growing.
    std::string pending_;
    // Looks again while the plug holds the transmitter: the plug's lines are
    // set from another thread, with nothing here to wake. A child, so that
    // it moves to the line's thread with it.
    QTimer hold_{this};
};

}  // namespace serial
