#pragma once
// What the program's command line asks for: the typed result of
// CommandLineParser::Parse, made once at start-up and handed to the code that
// carries the request out (WindowStart). Plain data; nothing in it is
// process-wide until WindowStart installs the port map.

#include "check/CheckOptions.h"
#include "platform/serial/PortMap.h"

namespace app {

struct CommandLineOptions {
    // What the run does. Every mode but Window ends before the toolkit
    // application exists, so it needs no display.
    enum class Mode {
        Window,  // the test window (no mode option given)
        Help,
        Version,
        ListPorts,  // print the ports in use
        Check,      // --check: a line check, reported on standard output
    };
    Mode mode = Mode::Window;

    // The --port mappings over the environment and the defaults.
    serial::PortMap ports;

    // --check's port and the options that shape the check.
    check::CheckOptions check;
};

}  // namespace app
