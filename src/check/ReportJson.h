#pragma once
// The report for scripts: one JSON object holding the same findings as the
// table, numbers as numbers, absent values as null.
//
//   {"port": "Com1", "to": null, "seed": N, "exitCode": 0, "interrupted",
//    "soak", "passes", "seconds",
//    "settings": [{"port", "internal", "requested", "applied", "appliedFar", "refusal",
//                  "lost", "waitFailed", "seed", "sent", "received", "late",
//                  "wrong", "missing", "extra", "firstDifference", "events",
//                  "eventCount", "bytesPerSecond", "nominalBytesPerSecond",
//                  "paced", "lineErrors", "verdict", "seconds", "passes",
//                  "longestGap"}, ...],
//    "modemLines": [{"outputs", "inputs", "supported", "reason",
//                    "RTS": [...], "DTR": [...]}, ...],
//    "internalLoopbackUnsupported": [{"port", "reason"}, ...]}
//
// "internal" marks a row checked through the UART's own loopback
// (--internal); "internalLoopbackUnsupported" lists the ports whose UART
// offers none.
//
// A setting is {"baud", "dataBits", "parity" (name), "stopBits" (text),
// "text" ("9600 8N1")}; "applied" is what the sending port kept,
// "appliedFar" what the receiving port of a cable kept (null for a lone
// port). "received" counts the bytes that came in the setting's time, "late"
// those of its pattern that came after it; "wrong" counts changed bytes
// only. "events" lists the first 32 slips in stream order, each {"kind"
// (missing, extra, changed, late), "offset" (in the bytes sent),
// "receivedOffset", "count", "pass", "expected", "received"}, the last two
// the bytes around it in hex with the slip's own in brackets; "eventCount"
// counts them all. "lineErrors" is null where the driver keeps no counters,
// else {"parity", "framing", "overrun", "break", "bufferOverrun"}.
// In a soak ("soak" true) each row sums up its "passes"; "longestGap" is the
// longest time in seconds without a byte, from the first byte sent to the
// last one back, in any pass; "seconds" at the top is the whole run's.
// "paced" is false where either end is a line no wire paces (a
// pseudo-terminal, the built-in loopback line): "bytesPerSecond" is then the
// program's own speed, no share of "nominalBytesPerSecond".

#include <QByteArray>

#include "check/CheckReport.h"

namespace check {

QByteArray ReportJson(const CheckReport& report);

}  // namespace check
