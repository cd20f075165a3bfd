#pragma once
// The one named place for the runtime's process-wide state: the symbol
// table, the activation record and, as the runtime grows, its settings and
// the error block. Nothing else in the runtime keeps mutable globals.

#include "platform/runtime/Activation.h"
#include "platform/runtime/ClassRegistry.h"
#include "platform/runtime/DirectorySettings.h"
#include "platform/runtime/ErrorState.h"
#include "platform/runtime/FileTable.h"
#include "platform/runtime/IntlSettings.h"
#include "platform/runtime/Program.h"
#include "platform/runtime/StartupState.h"
#include "platform/runtime/Symbol.h"

namespace rt {

struct RuntimeState {
    SymbolTable symbols;
    ActivationStack activations;
    ClassRegistry classes{symbols};
    StartupState startup;
    Program program;
    FileTable files;
    DirectorySettings directories;
    IntlSettings intl;
    ErrorState errors;
};

// The process's runtime state, created on first use.
RuntimeState& State();

}  // namespace rt
