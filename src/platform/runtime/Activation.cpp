#include "platform/runtime/Activation.h"

#include "platform/runtime/RuntimeState.h"

namespace rt {

void ActivationStack::Push(std::string_view name, std::string_view module) {
    frames_.push_back(Activation{name, module, 0});
}

void ActivationStack::Pop() {
    if (!frames_.empty()) frames_.pop_back();
}

void ActivationStack::SetLine(int line) {
    if (!frames_.empty()) frames_.back().line = line;
}

const Activation* ActivationStack::At(std::size_t level) const {
    if (level >= frames_.size()) return nullptr;
    return &frames_[frames_.size() - 1 - level];
}

ActivationGuard::ActivationGuard(std::string_view name, std::string_view module) {
    State().activations.Push(name, module);
}

ActivationGuard::~ActivationGuard() {
    State().activations.Pop();
}

}  // namespace rt
