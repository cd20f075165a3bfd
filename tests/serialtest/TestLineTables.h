#pragma once
// The choices the program offers, for the windows tests build: the nine
// port names, the seven baud rates and the parities with the platform's
// codes, unless a test gives parities of its own.

#include "serialtest/LineTables.h"

namespace serialtest::testing {

inline rt::Usual PlatformParities() {
    using rt::Usual;
    return Usual::ArrayOf({Usual::ArrayOf({"Even", 2}), Usual::ArrayOf({"Mark", 3}),
                           Usual::ArrayOf({"None", 0}), Usual::ArrayOf({"Odd", 1}),
                           Usual::ArrayOf({"Space", 4})});
}

inline LineTables ProgramTables(rt::Usual parities = PlatformParities()) {
    using rt::Usual;
    return {
        Usual::ArrayOf({"Com1", "Com2", "Com3", "Com4", "Com5", "Com6", "Com7", "Com8", "Com9"}),
        Usual::ArrayOf({300, 1200, 2400, 4800, 9600, 14400, 19200}), std::move(parities)};
}

}  // namespace serialtest::testing
