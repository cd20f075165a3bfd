#include "platform/runtime/ErrorSystem.h"

#include <QCoreApplication>
#include <iostream>

#include "platform/os/StderrLine.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/ErrorSystemTexts.h"
#include "platform/runtime/ErrorTexts.h"
#include "platform/runtime/GenCode.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Termination.h"

namespace rt {
namespace {

// Errors raised while the error block handles an error are handled too (the
// log opener raises one of its own), but not without end.
constexpr int kMaxNestedRaise = 4;

class RaiseDepth {
  public:
    RaiseDepth() { ++State().errors.raiseDepth; }
    ~RaiseDepth() { --State().errors.raiseDepth; }
    RaiseDepth(const RaiseDepth&) = delete;
    RaiseDepth& operator=(const RaiseDepth&) = delete;
};

[[noreturn]] void Unhandled(const RawError& raw, std::string_view why) {
    std::string line = std::string(why) + ": error " + std::to_string(raw.Get(RawError::GenCode)) +
                       " (" + std::string(ErrString(raw.Get(RawError::GenCode))) + ")";
    const auto operation = raw.Text(RawError::Operation);
    if (!operation.empty()) line += " in " + std::string(operation);
    const auto description = raw.Text(RawError::Description);
    if (!description.empty()) line += ": " + std::string(description);
    os::StderrLine(line);
    ErrorLevel(static_cast<std::int32_t>(raw.Get(RawError::GenCode)));
    QuitProgram();
}

}  // namespace

CodeBlockRef ErrorBlock() {
    return State().errors.errorBlock;
}

CodeBlockRef ErrorBlock(CodeBlockRef block) {
    auto previous = std::move(State().errors.errorBlock);
    State().errors.errorBlock = std::move(block);
    return previous;
}

Usual Eval(const CodeBlockRef& block, const Usual& parameter) {
    if (!block || !*block) return NIL;
    return (*block)(parameter);
}

ErrorGenerator ErrorFunc(ErrorGenerator generator) {
    const auto previous = State().errors.generator;
    State().errors.generator = generator;
    return previous;
}

Usual ErrorBuild(RawError* raw) {
    const auto generator = State().errors.generator;
    if (generator == nullptr) return NIL;
    return generator(Usual(static_cast<void*>(raw)));
}

std::uint32_t GetRTCount() {
    return State().errors.rtCount;
}

Usual Raise(RawError& raw) {
    auto& state = State().errors;
    if (state.raiseDepth >= kMaxNestedRaise) Unhandled(raw, text::kNestedErrors);
    const auto block = state.errorBlock;
    if (!block || !*block) Unhandled(raw, text::kNoHandler);
    RaiseDepth depth;
    // An exception out of the error block means the error could not be
    // handled. Letting it go on would have every enclosing event dispatch
    // report it again; the error is written out once and the program ends.
    // A jump to a recovery point is the block's answer, not a failure.
    try {
        return Eval(block, ErrorBuild(&raw));
    } catch (const BreakSignal&) {
        throw;
    } catch (const std::exception& failure) {
        Unhandled(raw, std::string(text::kHandlerFailed) + " (" + failure.what() + ")");
    } catch (...) {
        Unhandled(raw, std::string(text::kHandlerFailed) + " (" +
                           std::string(text::kUnknownException) + ")");
    }
}

Usual RaiseError(const ErrorInfo& info, int callLine) {
    MarkLine(callLine);
    return RaiseErrorForCaller(info);
}

Usual RaiseErrorForCaller(const ErrorInfo& info) {
    RawError raw;
    raw.Set(RawError::GenCode, info.genCode);
    raw.Set(RawError::SubCode, info.subCode);
    raw.Set(RawError::OsCode, info.osCode);
    raw.Set(RawError::Severity, info.severity);
    raw.SetLogic(RawError::CanDefault, info.canDefault);
    raw.SetLogic(RawError::CanRetry, info.canRetry);
    raw.SetLogic(RawError::CanSubstitute, info.canSubstitute);
    raw.SetText(RawError::SubSystem, info.subSystem);
    raw.SetText(RawError::Operation, info.operation);
    raw.SetText(RawError::Description, info.description);
    raw.SetText(RawError::FileName, info.fileName);
    raw.SetText(RawError::Arg, info.arg);
    raw.Set(RawError::ArgNum, info.argNum);
    raw.Set(RawError::ArgType, info.argType);
    raw.Set(RawError::ArgTypeReq, info.argTypeReq);
    raw.Set(RawError::SubstituteType, info.substituteType);
    raw.Set(RawError::Tries, info.tries);
    raw.Set(RawError::FuncSym, info.funcSym.number);
    return Raise(raw);
}

Answer Classify(const Usual& result) {
    if (result.IsLogic()) return result.AsLogic() ? Answer::Retry : Answer::Default;
    return Answer::Substitute;
}

Usual RaiseFromException(const std::exception& error, std::string_view operation) {
    return RaiseFromException(std::string_view(error.what()), operation);
}

Usual RaiseFromException(std::string_view description, std::string_view operation) {
    RawError raw;
    raw.SetText(RawError::SubSystem, text::kEventHandlerSubSystem);
    raw.Set(RawError::GenCode, gen::kException);
    raw.Set(RawError::Severity, 2);
    raw.SetLogic(RawError::CanDefault, true);
    raw.SetText(RawError::Operation, operation);
    raw.SetText(RawError::Description, description);
    return Raise(raw);
}

namespace {

// A jump whose recovery point began inside the current event loop needs no
// loop to end: it goes on at once. One that began outside it waits.
void ContinueJump(const BreakSignal& signal) {
    if (RecoveryLoopLevel(signal.Point()) >= CurrentLoopLevel()) throw signal;
    HoldBreak(signal);
}

// Reports the exception in hand, with the activations it left put back so
// that the report's call stack shows where it was thrown.
void ReportException(std::string_view description, std::string_view operation) {
    const RestoredActivations thrown(State().activations.TakeThrowSite());
    try {
        RaiseFromException(description, operation);
    } catch (const BreakSignal& signal) {
        ContinueJump(signal);
    }
}

}  // namespace

bool DispatchGuarded(const std::function<void()>& handler, std::string_view operation) {
    // Whatever an earlier event's exception left behind is not this one's.
    State().activations.ForgetThrowSite();
    try {
        handler();
        return true;
    } catch (const BreakSignal& signal) {
        ContinueJump(signal);
    } catch (const std::exception& error) {
        ReportException(error.what(), operation);
    } catch (...) {
        ReportException(text::kUnknownException, operation);
    }
    return false;
}

void HoldBreak(const BreakSignal& signal) {
    State().errors.heldBreak = std::make_shared<BreakSignal>(signal);
    // exit() ends every event loop running on this thread, nested ones too.
    QCoreApplication::exit(0);
}

void ResumeHeldBreak() {
    auto held = std::move(State().errors.heldBreak);
    State().errors.heldBreak.reset();
    if (held) throw BreakSignal(*held);
}

namespace {

[[noreturn]] void OnTerminate() {
    // A second terminate while the first is being reported ends at once.
    static bool terminating = false;
    if (!terminating) {
        terminating = true;
        // An exception that met a function that may not throw has left the
        // activations in between; one nobody catches has left none.
        const RestoredActivations thrown(State().activations.TakeThrowSite());
        std::string description(text::kUnknownException);
        if (const auto pending = std::current_exception()) {
            try {
                std::rethrow_exception(pending);
            } catch (const std::exception& error) {
                description = error.what();
            } catch (...) {
            }
        }
        // Nothing may leave a terminate handler: a jump to a recovery point
        // has nowhere left to go.
        try {
            if (State().errors.errorBlock) {
                // The thrower's line stands in the restored activations.
                RaiseErrorForCaller({.genCode = gen::kException,
                                     .subSystem = text::kRuntimeSubSystem,
                                     .operation = text::kTerminate,
                                     .description = description});
            } else {
                os::StderrLine(std::string(text::kTerminate) + ": " + description);
            }
        } catch (...) {
        }
    }
    ErrorLevel(static_cast<std::int32_t>(gen::kException));
    QuitProgram();
}

}  // namespace

void InstallTerminateHandler() {
    std::set_terminate(OnTerminate);
}

Usual InternalError(std::uint32_t code, std::uint32_t detail, std::string_view message,
                    int callLine) {
    MarkLine(callLine);
    RawError raw;
    raw.SetText(RawError::SubSystem, text::kRuntimeSubSystem);
    raw.Set(RawError::GenCode, gen::kInternal);
    raw.Set(RawError::SubCode, code);
    raw.Set(RawError::OsCode, detail);
    raw.Set(RawError::Severity, 2);
    raw.SetLogic(RawError::CanDefault, true);
    raw.SetText(RawError::Description, message);
    return Raise(raw);
}

bool NetErr() {
    return State().errors.netErr;
}

bool NetErr(bool value) {
    const bool previous = State().errors.netErr;
    State().errors.netErr = value;
    return previous;
}

bool SetErrorLog() {
    return State().errors.errorLog;
}

bool SetErrorLog(bool value) {
    const bool previous = State().errors.errorLog;
    State().errors.errorLog = value;
    return previous;
}

ErrorAnswer ErrorMessageBox(const std::string& text, const std::string& caption,
                            const ErrorChoices& choices) {
    const auto& seam = State().errors.messageBox;
    if (seam) return seam(text, caption, choices);
    std::cerr << caption << "\n" << text << std::flush;
    return UnansweredAnswer(choices);
}

Usual EmptyUsual(std::uint32_t typeCode) {
    switch (static_cast<UsualType>(typeCode)) {
        case UsualType::Long:
            return Usual(std::int32_t{0});
        case UsualType::Date:
            return Usual(Date{});
        case UsualType::Float:
            return Usual(0.0);
        case UsualType::Array:
            return Usual(std::make_shared<Array>());
        case UsualType::String:
            return Usual(std::string());
        case UsualType::Logic:
            return Usual(false);
        case UsualType::Symbol:
            return Usual(Symbol{});
        case UsualType::Ptr:
            return Usual(static_cast<void*>(nullptr));
        case UsualType::Nil:
        case UsualType::Object:
            return NIL;
    }
    return NIL;
}

}  // namespace rt
