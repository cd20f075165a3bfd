#pragma once
// Reading the activation record: the qualified name, current line and module
// of an activation, counted in levels out from the innermost recorded one
// (level 0). Levels past the outermost give an empty name, line 0 and an
// empty module.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/runtime/Activation.h"

namespace rt {

std::string ProcName(std::size_t level);
std::uint32_t ProcLine(std::size_t level);
std::string ProcFile(std::size_t level);

// The runtime's record of active activations; null when the runtime keeps
// none.
const ActivationStack* GetDASPtr();
// How many activations are recorded; 0 without a record.
std::size_t ActivationCount();

}  // namespace rt
