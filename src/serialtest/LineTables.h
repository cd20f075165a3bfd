#pragma once
// The tables the serial test window offers its choices from, each an array
// as its lists take them: port names ("Com1"..), baud rates, and parities
// as {name, code} pairs. A nil table leaves its list empty.

#include "platform/runtime/Usual.h"

namespace serialtest {

struct LineTables {
    rt::Usual ports;
    rt::Usual bauds;
    rt::Usual parities;
};

}  // namespace serialtest
