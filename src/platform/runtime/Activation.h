#pragma once
// The activation record: every method and function of the system registers
// its qualified upper-case name ("SERIALMLE:DISPATCH") and its module
// ("SerialMLE Class") when it starts, and records the source line it is at
// where that line can end up in an error report, so that the report can
// print the call stack with each frame's line.
//
//   void SerialMLE::Dispatch(...) {
//       RT_ENTER("SERIALMLE:DISPATCH", "SerialMLE Class");
//       text = Pending();                  // no marker: cannot be reported
//       RT_LINE();
//       rt::Send(owner, sym::kRECEIVED);   // reaches another activation
//       if (bad) rt::RaiseError({...});    // records its own line
//   }
//
// A frame's line is shown only while that frame has a call in progress or
// raises, so a marker (RT_LINE) stands only where one of these follows:
//   - a call that can reach another activation: a function or method of the
//     system, a late-bound send, access, assign or creation, a Qt call that
//     runs handlers of the system (an event loop, a modal dialog, a signal);
//   - a call to a helper without an activation of its own that may raise on
//     its caller's behalf (the late-bound operations, the instance check);
//   - a `throw` of the system's own code.
// The raising functions themselves (RaiseError, InternalError) take the line of
// their call as a default argument (__builtin_LINE(), what std::source_location
// rests on; clang before 15 cannot build std::source_location against
// libstdc++, and the fuzz build uses clang 14): a raise needs no marker. Plain
// statements (assignments, returns, Qt and standard calls that run nothing
// of the system) carry none. One marker serves the statements after it up
// to the next call that needs its own line; a statement spread over lines
// (a call with a lambda, say) is marked on its first line.
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

// Registers an activation for the lifetime of the guard, at `line` until a
// marker records another (RT_ENTER gives the line it stands on, so a frame
// never shows line 0 once its code runs).
class ActivationGuard {
  public:
    ActivationGuard(std::string_view name, std::string_view module, int line = 0);
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

// Records `line` as the innermost activation's line in the process's
// activation record; no-op when there is none. Out of line so that markers
// need nothing but this header.
void MarkLine(int line);

}  // namespace rt

#define RT_ENTER(name, module) \
    const ::rt::ActivationGuard rtActivationGuard_(name, module, __LINE__)
#define RT_LINE() ::rt::MarkLine(__LINE__)
