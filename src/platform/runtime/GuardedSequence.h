#pragma once
// Guarded sequences with a recover part: the runtime's recovery points.
//
//   rt::BeginSequence(
//       [&] { ...work that may raise errors... },
//       [&](const rt::Usual& value) { ...recover: `value` is what LabelJump handed over... });
//
// While the body runs, CanBreak() is TRUE and LabelJump(value) leaves the
// body from any depth for the recover part of the innermost active sequence.
// The jump is a C++ exception of type BreakSignal, so destructors on the way
// run; code that catches everything (catch (...)) must rethrow it. A jump
// does not cross an event loop on its own: the event dispatch holds it and
// ends the loop (see HoldBreak in ErrorSystem.h).

#include <cstddef>
#include <functional>

#include "platform/runtime/Usual.h"

namespace rt {

// The jump to a recovery point. Not a std::exception, so handlers that turn
// std::exception into runtime errors let it pass.
class BreakSignal {
  public:
    BreakSignal(Usual value, std::size_t point) : value_(std::move(value)), point_(point) {}
    const Usual& Value() const { return value_; }
    // The recovery point it leaves for: 1 the outermost sequence.
    std::size_t Point() const { return point_; }

  private:
    Usual value_;
    std::size_t point_;
};

// Runs `body` guarded; returns true when it was left by LabelJump and
// `recover` ran. Any other exception passes through unchanged, and the
// recovery point is gone again whichever way the body ends.
bool BeginSequence(const std::function<void()>& body,
                   const std::function<void(const Usual&)>& recover);

// The event-loop level (QThread::loopLevel) at which recovery point
// `point` began; 0 for a point that is not active.
int RecoveryLoopLevel(std::size_t point);
// The event-loop level of the calling thread now.
int CurrentLoopLevel();

// TRUE while a guarded sequence is active.
bool CanBreak();

// Leaves for the innermost recovery point with `value`. Without one there
// is nowhere to go: the program ends with the current ErrorLevel.
[[noreturn]] void LabelJump(const Usual& value);

}  // namespace rt
