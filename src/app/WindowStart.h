#pragma once
// The window library's start function, as the program's function table holds
// it under START: makes the toolkit application from the program's arguments,
// takes the port mappings (--port ComN=DEVICE) from them, installs the
// program's resources, creates the application object and sends it Start.
// Answers Start's result, or -1 when the command line is wrong (the reason
// goes to standard error). Everything it made is gone when it returns.

#include "platform/runtime/Usual.h"

namespace app {

rt::Usual WindowStart(int& argc, char** argv);

}  // namespace app
