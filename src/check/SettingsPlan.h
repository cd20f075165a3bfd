#pragma once
// The settings a check runs through, in order.
//
// With no list narrowed: every baud rate of the tables at 8 data bits, no
// parity, one stop bit, then at 9600 baud each other parity, data-bit and
// stop-bit choice of the tables, one changed at a time.
// With any list narrowed: every combination of the narrowed lists, a list
// not narrowed taking its default alone (9600, none, 8, one stop bit).

#include <vector>

#include "check/CheckOptions.h"
#include "platform/serial/LineSettings.h"

namespace check {

std::vector<serial::LineSettings> PlanSettings(const CheckOptions& options,
                                               const SweepTables& tables);

}  // namespace check
