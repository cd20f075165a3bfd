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
//
// An exception leaves activations before whoever catches it can report it.
// So that the report still shows where it was thrown, the first activation
// an exception leaves keeps a copy of the stack as it stood then (the
// thrower's line included); the catcher takes it (TakeThrowSite) and puts
// the left activations back while it reports (RestoredActivations). The
// copy is forgotten as soon as an activation starts with no exception in
// flight: the exception was caught and the program went on.

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
    void Push(const Activation& activation);
    void Pop();
    // Records the line of the innermost activation; no-op when there is none.
    void SetLine(int line);
    std::size_t Depth() const { return frames_.size(); }
    // The activation `level` steps out from the innermost one (0 = innermost);
    // nullptr past the outermost.
    const Activation* At(std::size_t level) const;

    // Keeps a copy of the stack unless one is kept already: called as an
    // exception leaves an activation.
    void KeepThrowSite();
    void ForgetThrowSite() {
        if (!thrown_.empty()) thrown_.clear();
    }
    // The activations the exception in hand has left, outermost first, and
    // the kept copy forgotten. Empty when none is kept, or when the kept
    // copy does not begin with the activations recorded now (it is another
    // exception's).
    std::vector<Activation> TakeThrowSite();

  private:
    std::vector<Activation> frames_;
    std::vector<Activation> thrown_;
};

// Registers an activation for the lifetime of the guard.
class ActivationGuard {
  public:
    ActivationGuard(std::string_view name, std::string_view module);
    ~ActivationGuard();
    ActivationGuard(const ActivationGuard&) = delete;
    ActivationGuard& operator=(const ActivationGuard&) = delete;

  private:
    // Exceptions in flight when the activation started: more at its end
    // means an exception is leaving it.
    int exceptions_;
};

// Puts activations an exception has left (TakeThrowSite) back on the stack
// for the lifetime of the object, innermost on top, and takes them off again.
class RestoredActivations {
  public:
    explicit RestoredActivations(const std::vector<Activation>& left);
    ~RestoredActivations();
    RestoredActivations(const RestoredActivations&) = delete;
    RestoredActivations& operator=(const RestoredActivations&) = delete;

  private:
    std::size_t count_;
};

}  // namespace rt

#define RT_ENTER(name, module) const ::rt::ActivationGuard rtActivationGuard_(name, module)
#define RT_LINE() ::rt::State().activations.SetLine(__LINE__)
