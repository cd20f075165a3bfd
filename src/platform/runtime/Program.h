#pragma once
// What the runtime knows of the running program: the handle of its module
// (through which its resources are found), the ANSI character-set switch,
// and the program's own global variables. Lives in rt::State().

#include "platform/runtime/Usual.h"

namespace rt {

struct Program {
    // The module instance handle of the running program; 0 until the
    // program's start-up installs its resources.
    std::uintptr_t instance = 0;
    // SetAnsi: TRUE while the runtime treats texts as ANSI; the program
    // switches it off at start.
    bool ansi = true;
    // Global `oGStru`: the settings tables object; NIL until the
    // application's start fills it, then unchanged until the process ends.
    Usual oGStru;
};

// Switches the ANSI character-set setting; returns the previous setting.
bool SetAnsi(bool on);
// The running program's module instance handle.
std::uintptr_t GetInst();

}  // namespace rt
