#pragma once
// The runtime's state for error handling: the error block and generator,
// the recovery points, the flags and settings the default handler reads,
// and the seams through which it reaches the operator (dialog, tones) and
// ends the process. One instance lives in rt::State().

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/ErrorAnswer.h"
#include "platform/runtime/GuardedSequence.h"
#include "platform/runtime/RawError.h"
#include "platform/runtime/Usual.h"

namespace rt {

// A code block of one parameter, as the error block is.
using CodeBlock = std::function<Usual(const Usual&)>;
using CodeBlockRef = std::shared_ptr<const CodeBlock>;

// The error generator: called with a pointer value to a RawError, returns
// the error object built from it.
using ErrorGenerator = Usual (*)(const Usual& rawPointer);

// Shows the error dialog; returns the operator's answer (see ErrorMessageBox).
using MessageBoxSeam = std::function<ErrorAnswer(
    const std::string& text, const std::string& caption, const ErrorChoices& choices)>;

// Sounds one tone: frequency in hertz, duration in tenths of a second.
using ToneSeam = std::function<void(std::uint32_t hertz, std::uint32_t tenths)>;

// Ends the process with the exit code; does not return.
using ExitSeam = void (*)(int code);

struct ErrorState {
    CodeBlockRef errorBlock;
    ErrorGenerator generator = nullptr;
    // What GetRTCount reports: how many programs share this runtime. A
    // process of ours holds exactly one.
    std::uint32_t rtCount = 1;
    bool netErr = false;
    bool beep = true;      // announce errors by tones
    bool errorLog = true;  // write errors to the error log
    std::int32_t errorLevel = 0;
    // Active guarded sequences with a recover part.
    std::size_t recoveryDepth = 0;
    // The event-loop level each active sequence began at, outermost first.
    std::vector<int> recoveryLoopLevels;
    // Errors being handed to the error block right now; bounds an error
    // block that keeps raising errors of its own.
    int raiseDepth = 0;
    MessageBoxSeam messageBox;  // empty: no dialog can be shown
    ToneSeam tone;              // empty: the platform's own tone
    ExitSeam exit = nullptr;    // null: the process really ends
    // A jump to a recovery point that met an event loop, waiting for the
    // loop to end (HoldBreak / ResumeHeldBreak).
    std::shared_ptr<BreakSignal> heldBreak;
    // The error system's one record for wrapping a value that is not an
    // error object; keeps the last wrap until the next.
    RawError wrapRecord;
    // TRUE while the error log's own "path not found" error is being
    // reported, so that the report does not raise it again without end.
    bool reportingLogFailure = false;
    // Run in reverse order when the runtime shuts down (QuitProgram).
    std::vector<std::function<void()>> shutdownHooks;
};

}  // namespace rt
