#include "platform/runtime/Activation.h"

#include <exception>

#include "platform/runtime/RuntimeState.h"

namespace rt {

void ActivationStack::Push(std::string_view name, std::string_view module) {
    frames_.push_back(Activation{name, module, 0});
}

void ActivationStack::Push(const Activation& activation) {
    frames_.push_back(activation);
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

void ActivationStack::KeepThrowSite() {
    if (thrown_.empty()) thrown_ = frames_;
}

std::vector<Activation> ActivationStack::TakeThrowSite() {
    std::vector<Activation> thrown = std::move(thrown_);
    thrown_.clear();
    if (thrown.size() <= frames_.size()) return {};
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        if (thrown[i].name != frames_[i].name || thrown[i].module != frames_[i].module) return {};
    }
    thrown.erase(thrown.begin(), thrown.begin() + static_cast<std::ptrdiff_t>(frames_.size()));
    return thrown;
}

ActivationGuard::ActivationGuard(std::string_view name, std::string_view module, int line)
    : exceptions_(std::uncaught_exceptions()) {
    auto& stack = State().activations;
    if (exceptions_ == 0) stack.ForgetThrowSite();
    stack.Push(Activation{name, module, line});
}

ActivationGuard::~ActivationGuard() {
    auto& stack = State().activations;
    if (std::uncaught_exceptions() > exceptions_) stack.KeepThrowSite();
    stack.Pop();
}

void MarkLine(int line) {
    State().activations.SetLine(line);
}

RestoredActivations::RestoredActivations(const std::vector<Activation>& left)
    : count_(left.size()) {
    for (const auto& activation : left) State().activations.Push(activation);
}

RestoredActivations::~RestoredActivations() {
    for (std::size_t i = 0; i < count_; ++i) State().activations.Pop();
}

}  // namespace rt
