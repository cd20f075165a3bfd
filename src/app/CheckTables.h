#pragma once
// The lists a default line check sweeps: the baud rates and parities of the
// settings object's tables and the window's data-bit and stop-bit choices,
// so the check offers exactly what the window offers.

#include "check/CheckOptions.h"

namespace app {

check::SweepTables CheckTables();

}  // namespace app
