#pragma once
// A pseudo-terminal pair made by a test: the component opens the near end by
// its path like any serial device, the test plays the far end through the
// master descriptor. Waiting loops drive the Qt event loop, so the
// component's notifiers run meanwhile.

#include <QObject>
#include <chrono>
#include <string>
#include <vector>

#include "platform/os/PostedMessage.h"
#include "platform/serial/Serial.h"

namespace serial::testing {

class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool Ok() const { return master_ >= 0; }
    const std::string& Path() const { return path_; }
    int Master() const { return master_; }
    // Closing the far end makes the near end a lost device.
    void CloseFarEnd();

    // Writes every byte at the far end, driving the event loop while the
    // line is full; FALSE if that takes longer than `timeout`.
    bool Send(const std::string& bytes,
              std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Writes what the line takes now without waiting; the count written.
    std::size_t SendSome(const char* data, std::size_t size);
    // Collects bytes arriving at the far end until `count` have come or
    // `timeout` has passed.
    std::string Receive(std::size_t count,
                        std::chrono::milliseconds timeout = std::chrono::seconds(5));

  private:
    int master_ = -1;
    std::string path_;
};

// Routes port names to devices for one test and restores the defaults after.
class ScopedPortMap {
  public:
    // Pairs of port name and device.
    explicit ScopedPortMap(const std::vector<std::pair<std::string, std::string>>& mappings);
    ScopedPortMap(const std::string& port, const std::string& device)
        : ScopedPortMap(std::vector{std::pair{port, device}}) {}
    ~ScopedPortMap();
    ScopedPortMap(const ScopedPortMap&) = delete;
    ScopedPortMap& operator=(const ScopedPortMap&) = delete;
};

// A window that records the messages posted to it. With `drain` set it
// empties `port` on every WM_COMMNOTIFY as the receive pane does, one byte
// per Read, keeping the bytes in `received`; with `perNotification` it reads
// at most that many bytes per notification.
class NotifyRecorder : public QObject {
  public:
    NotifyRecorder();
    os::HWND Handle() const { return hwnd_; }
    bool event(QEvent* e) override;

    Serial* port = nullptr;
    bool drain = false;
    std::size_t perNotification = 0;  // 0: no limit
    int notifications = 0;
    std::string received;

  private:
    os::HWND hwnd_;
};

// Reads everything `port` holds now, one byte per Read.
std::string DrainAll(Serial& port);
// Reads from `port` while driving the event loop until `count` bytes came or
// `timeout` passed.
std::string DrainAtLeast(Serial& port, std::size_t count,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Runs the event loop until `done` answers TRUE or `timeout` passes.
template <typename Predicate>
bool PumpUntil(Predicate done, std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Runs the event loop for the given time, so that anything pending is
// delivered.
void PumpFor(std::chrono::milliseconds time);

}  // namespace serial::testing

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace serial::testing {

template <typename Predicate>
bool PumpUntil(Predicate done, std::chrono::milliseconds timeout) {
    QDeadlineTimer deadline(timeout);
    // The ticker bounds each wait, so the predicate is asked again even when
    // no event comes.
    QTimer ticker;
    ticker.start(2);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace serial::testing
