#pragma once
// A check of one port through a loopback plug, or of a cable between two
// ports in both directions: maps the modem lines, checks RTS/CTS flow
// control at the first planned setting, then for each planned
// setting applies it, reads it back, sends a pattern and compares what comes
// back, with the driver's error counters read before and after.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "check/CheckOptions.h"
#include "check/CheckReport.h"
#include "check/LoopbackEcho.h"
#include "platform/os/StopSignals.h"
#include "platform/runtime/Expected.h"
#include "platform/serial/PosixLine.h"

namespace check {

class LineCheck {
  public:
    // Called before each setting with a line saying what is being checked.
    using Progress = std::function<void(const std::string&)>;

    LineCheck(CheckOptions options, SweepTables tables);
    ~LineCheck();

    // Opens the port (and the far port) through the port map; `loop` is the
    // built-in loopback line, which keeps every setting and has the modem
    // wiring of a loopback plug. A failure reads "ComN: reason".
    rt::Expected<> Open();
    // Runs the whole check on the open ports; a device found gone fails the
    // setting that found it and ends the run there. Once `stop` has caught a
    // signal, the setting under way is dropped and the report, marked
    // interrupted, holds the settings finished before it.
    CheckReport Run(const Progress& progress = {}, os::StopSignals* stop = nullptr);

  private:
    struct Direction;
    struct Port {
        std::string name;
        // The direction whose row was checked last receiving here: bytes
        // still coming are its row's.
        Direction* last = nullptr;
        std::unique_ptr<LoopbackEcho> echo;
        serial::PosixLine line;
        std::optional<serial::LineSettings> applied;  // what it kept of the last setting
    };
    struct Direction {
        Port* tx;
        Port* rx;
        std::string path;
        bool internal = false;  // through the UART's own loopback
        // The last row checked in this direction, waiting to be added to its
        // place in the report (`pendingIndex`) until the next row of the
        // direction has begun: bytes still coming are its own. With it, what
        // it sent and what came in its time and after.
        std::optional<SettingResult> pending{};
        std::size_t pendingIndex = 0;
        std::string lastPattern{};
        std::string lastReceived{};
        std::size_t lastInTime = 0;
        // Whether a wire paces both ends, so that bytes take their time.
        bool Paced() const { return tx->line.Paced() && rx->line.Paced(); }
    };

    rt::Expected<> OpenPort(Port& port);
    // Applies `s` to every port, each keeping what it took: the refusals
    // (the devices' reasons), empty when every port took `s`. Fails, saying
    // why, when a port's settings cannot even be read: its device is gone.
    rt::Expected<std::string> Apply(const serial::LineSettings& s);
    // Checks RTS/CTS flow control in each of `directions` from `first` on at
    // `s`, adding what it found to `report`; a stop signal marks the report
    // interrupted.
    void CheckFlowControl(const serial::LineSettings& s, const std::vector<Direction>& directions,
                          std::size_t first, CheckReport& report, os::StopSignals* stop);
    // A row for `s` in direction `d` before anything was sent.
    SettingResult RowFor(const Direction& d, const serial::LineSettings& s) const;
    SettingResult Check(Direction& d, const serial::LineSettings& s, std::uint32_t seed, int stop);
    // Counts `late` (bytes of d's last row that came after its time) to that
    // row, judging it again.
    static void AddLate(Direction& d, std::string_view late);
    // Adds `row` to its place `index` in `rows`, made on the first pass.
    static void Place(std::vector<SettingResult>& rows, std::size_t index,
                      const SettingResult& row);
    // Adds d's pending row to the report.
    static void Commit(Direction& d, std::vector<SettingResult>& rows);
    // One pass through `plan` (`pass` counting from 1); false when the run
    // is to end: a stop signal, a device gone, or `deadline` passed.
    bool Pass(std::size_t pass, const std::vector<serial::LineSettings>& plan,
              std::vector<Direction>& directions, CheckReport& report, const Progress& progress,
              os::StopSignals* stop, std::optional<std::chrono::steady_clock::time_point> deadline);

    CheckOptions options_;
    SweepTables tables_;
    std::vector<std::unique_ptr<Port>> ports_;
};

// "9600 8N1": the rate, data bits, parity letter and stop bits.
std::string SettingsText(const serial::LineSettings& s);

}  // namespace check
