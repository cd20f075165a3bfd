#include "platform/runtime/Termination.h"

#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Startup.h"

namespace rt {

std::int32_t ErrorLevel(std::int32_t code) {
    auto& state = State().errors;
    const auto previous = state.errorLevel;
    state.errorLevel = code;
    return previous;
}

std::int32_t ErrorLevel() {
    return State().errors.errorLevel;
}

void KXDBCloseAll() {}

void AtShutdown(std::function<void()> hook) {
    State().errors.shutdownHooks.push_back(std::move(hook));
}

void RunShutdownHooks() {
    auto& state = State().errors;
    // Hooks are taken out first so that one that ends up here again does
    // not run twice.
    auto hooks = std::move(state.shutdownHooks);
    state.shutdownHooks.clear();
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        if (*it) (*it)();
    }
}

void QuitProgram() {
    auto& state = State().errors;
    RunShutdownHooks();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    if (state.exit) state.exit(state.errorLevel);
    ExitThroughEntry(static_cast<std::uint32_t>(state.errorLevel));
}

void MathInit() {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::fesetround(FE_TONEAREST);
}

}  // namespace rt
