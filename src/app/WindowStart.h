#pragma once
// The window library's start function, as the program's function table holds
// it under START. It first reads the program's arguments (CommandLineParser),
// before any toolkit application exists, and carries out what they ask for:
//
//   - a wrong command line: its one line to standard error, -1;
//   - --help or --version: the text to standard output, 0;
//   - otherwise the window run: installs the --port mappings, makes the
//     toolkit application, installs the program's resources, creates the
//     application object, which watches `stop`, and sends it Start; answers
//     Start's result.
//
// Everything it made is gone when it returns. A stop signal that came and
// was not taken yet (after the window closed, during --list-ports) then ends
// the process by that signal.

#include "platform/os/StopSignals.h"
#include "platform/runtime/Usual.h"

namespace app {

rt::Usual WindowStart(int& argc, char** argv, os::StopSignals& stop);

}  // namespace app
