#include "platform/runtime/GuardedSequence.h"

#include <QThread>

#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Termination.h"

namespace rt {
namespace {

// Keeps the recovery depth right however the body ends.
class RecoveryPoint {
  public:
    RecoveryPoint() : point_(++State().errors.recoveryDepth) {
        State().errors.recoveryLoopLevels.push_back(CurrentLoopLevel());
    }
    ~RecoveryPoint() {
        --State().errors.recoveryDepth;
        State().errors.recoveryLoopLevels.pop_back();
    }
    RecoveryPoint(const RecoveryPoint&) = delete;
    RecoveryPoint& operator=(const RecoveryPoint&) = delete;
    std::size_t Point() const { return point_; }

  private:
    std::size_t point_;
};

}  // namespace

bool BeginSequence(const std::function<void()>& body,
                   const std::function<void(const Usual&)>& recover) {
    Usual value;
    {
        RecoveryPoint point;
        try {
            body();
            return false;
        } catch (BreakSignal& signal) {
            // A signal meant for an outer point passed an inner one that was
            // already gone; it is not ours.
            if (signal.Point() != point.Point()) throw;
            value = signal.Value();
        }
    }
    // The recover part runs outside the sequence: a jump from it goes to
    // the next point out.
    if (recover) recover(value);
    return true;
}

int CurrentLoopLevel() {
    return QThread::currentThread()->loopLevel();
}

int RecoveryLoopLevel(std::size_t point) {
    const auto& levels = State().errors.recoveryLoopLevels;
    if (point == 0 || point > levels.size()) return 0;
    return levels[point - 1];
}

bool CanBreak() {
    return State().errors.recoveryDepth > 0;
}

void LabelJump(const Usual& value) {
    const auto depth = State().errors.recoveryDepth;
    if (depth == 0) QuitProgram();
    throw BreakSignal(value, depth);
}

}  // namespace rt
