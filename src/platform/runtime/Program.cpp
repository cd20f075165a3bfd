#include "platform/runtime/Program.h"

#include "platform/runtime/RuntimeState.h"

namespace rt {

bool SetAnsi(bool on) {
    bool& ansi = State().program.ansi;
    const bool previous = ansi;
    ansi = on;
    return previous;
}

std::uintptr_t GetInst() {
    return State().program.instance;
}

}  // namespace rt
