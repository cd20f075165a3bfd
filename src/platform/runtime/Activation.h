#pragma once
// The activation record: every method and function of the system registers
// its qualified upper-case name ("SERIALMLE:DISPATCH") and its module
// ("SerialMLE Class") when it starts, and records its current source line
// before each statement, so that an error report can print the call stack.
//
//   void SerialMLE::Dispatch(...) {
//       RT_ENTER("SERIALMLE:DISPATCH", "SerialMLE Class");
//       RT_LINE();
//       ...
//   }
//
// The record belongs to the GUI thread; platform threads never touch it.

#include <cstddef>
#include <string_view>
#include <vector>

namespace rt {

struct Activation {
    std::string_view name;    // qualified upper-case name; may be empty
    std::string_view module;  // module name in its own letter case
    int line = 0;
};

class ActivationStack {
  public:
    void Push(std::string_view name, std::string_view module);
    void Pop();
    // Records the line of the innermost activation; no-op when there is none.
    void SetLine(int line);
    std::size_t Depth() const { return frames_.size(); }
    // The activation `level` steps out from the innermost one (0 = innermost);
    // nullptr past the outermost.
    const Activation* At(std::size_t level) const;

  private:
    std::vector<Activation> frames_;
};

// Registers an activation for the lifetime of the guard.
class ActivationGuard {
  public:
    ActivationGuard(std::string_view name, std::string_view module);
    ~ActivationGuard();
    ActivationGuard(const ActivationGuard&) = delete;
    ActivationGuard& operator=(const ActivationGuard&) = delete;
};

}  // namespace rt

#define RT_ENTER(name, module) const ::rt::ActivationGuard rtActivationGuard_(name, module)
#define RT_LINE() ::rt::State().activations.SetLine(__LINE__)
