#pragma once
// The report for scripts: one JSON object holding the same findings as the
// table, numbers as numbers, absent values as null.
//
//   {"port": "Com1", "to": null, "seed": N, "exitCode": 0,
//    "settings": [{"port", "requested", "applied", "refusal", "sent",
//                  "received", "wrong", "missing", "extra",
//                  "firstDifference", "bytesPerSecond",
//                  "nominalBytesPerSecond", "paced", "lineErrors",
//                  "verdict", "seconds"}, ...],
//    "modemLines": [{"outputs", "inputs", "supported", "reason",
//                    "RTS": [...], "DTR": [...]}, ...]}
//
// A setting is {"baud", "dataBits", "parity" (name), "stopBits" (text),
// "text" ("9600 8N1")}; "lineErrors" is null where the driver keeps no
// counters, else {"parity", "framing", "overrun", "break", "bufferOverrun"}.
// "paced" is false where either end is a line no wire paces (a
// pseudo-terminal, the built-in loopback line): "bytesPerSecond" is then the
// program's own speed, no share of "nominalBytesPerSecond".

#include <QByteArray>

#include "check/CheckReport.h"

namespace check {

QByteArray ReportJson(const CheckReport& report);

}  // namespace check
