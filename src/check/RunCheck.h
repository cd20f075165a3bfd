#pragma once
// `comtest --check`: runs a line check headless and answers the process's
// exit code.
//
//   0    every applied setting carried every byte (and one at least applied)
//   1    a setting lost, changed or added bytes, or none could be applied
//   255  a port that cannot be opened or names no device, or --to naming
//        the port itself; the reason goes to `err` as one line
//
// The report goes to `out` (a table, or JSON with options.json); while it
// runs, a progress line is kept on `err` when that is a terminal. Makes a
// QCoreApplication for the built-in loopback line when none exists (no
// display is needed).

#include <cstdio>

#include "check/CheckOptions.h"

namespace check {

inline constexpr int kExitUsage = 255;

int RunCheck(const CheckOptions& options, const SweepTables& tables, std::FILE* out,
             std::FILE* err);

}  // namespace check
