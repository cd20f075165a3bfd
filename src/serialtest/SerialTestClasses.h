#pragma once
// The class declarations of the serial test's own classes, SerialMLE and
// WSerial, with their members, in the order the program's registration
// declares them. Their bases (MULTILINEEDIT, DATAWINDOW) must be declared
// before. Symbols are looked up by name in the runtime's symbol table at the
// time of the call: the program calls this once its symbol table is loaded.

#include <vector>

#include "platform/runtime/ClassRegistry.h"

namespace serialtest {

std::vector<rt::Declaration> SerialTestDeclarations();

}  // namespace serialtest
