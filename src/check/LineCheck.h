#pragma once
// A check of one port through a loopback plug, or of a cable between two
// ports in both directions: maps the modem lines, then for each planned
// setting applies it, reads it back, sends a pattern and compares what comes
// back, with the driver's error counters read before and after.

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
    struct Port {
        std::string name;
        std::unique_ptr<LoopbackEcho> echo;
        serial::PosixLine line;
    };
    struct Direction {
        Port* tx;
        Port* rx;
        std::string path;
        // Whether a wire paces both ends, so that bytes take their time.
        bool Paced() const { return tx->line.Paced() && rx->line.Paced(); }
    };

    rt::Expected<> OpenPort(Port& port);
    // Applies `s` to every port; the refusal (the device's reason) or empty.
    // A port whose settings cannot even be read is gone: `lost` says why.
    std::string Apply(const serial::LineSettings& s, std::optional<serial::LineSettings>& applied,
                      std::string& lost);
    // A row for `s` in direction `d` before anything was sent.
    static SettingResult RowFor(const Direction& d, const serial::LineSettings& s);
    SettingResult Check(const Direction& d, const serial::LineSettings& s, int stop);

    CheckOptions options_;
    SweepTables tables_;
    std::vector<std::unique_ptr<Port>> ports_;
};

// "9600 8N1": the rate, data bits, parity letter and stop bits.
std::string SettingsText(const serial::LineSettings& s);

}  // namespace check
