#pragma once
// `comtest --list-ports`: the ports in use, one line each on standard output
// (see serial::PortListing), without opening a window. `ports` carries the
// mappings of the command line and the environment; the machine's devices
// are numbered as the window would number them. "no serial ports found" goes
// to standard error when there are none, so standard output holds only
// port lines. The exit code is 0.

#include "platform/serial/PortMap.h"

namespace app {

int ListPorts(serial::PortMap ports);

}  // namespace app
