#include "platform/runtime/ProcInfo.h"

#include "platform/runtime/RuntimeState.h"

namespace rt {

std::string ProcName(std::size_t level) {
    const auto* activation = State().activations.At(level);
    return activation ? std::string(activation->name) : std::string();
}

std::uint32_t ProcLine(std::size_t level) {
    const auto* activation = State().activations.At(level);
    return activation ? static_cast<std::uint32_t>(activation->line) : 0;
}

std::string ProcFile(std::size_t level) {
    const auto* activation = State().activations.At(level);
    return activation ? std::string(activation->module) : std::string();
}

const ActivationStack* GetDASPtr() {
    return &State().activations;
}

std::size_t ActivationCount() {
    const auto* record = GetDASPtr();
    return record ? record->Depth() : 0;
}

}  // namespace rt
