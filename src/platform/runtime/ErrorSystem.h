#pragma once
// The runtime's error system: the error block every runtime error is handed
// to, the generator that turns a raw error record into an error object, and
// the flags and seams the default handler works with.
//
// Raising: fill a RawError and call Raise. The error block's result tells
// the raiser how to go on (Classify): TRUE retry the failed operation, FALSE
// take its default, anything else stands in as its result. An error block
// may also never return (abort ends the program or jumps to a recovery
// point, see GuardedSequence.h).

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "platform/runtime/ErrorState.h"
#include "platform/runtime/RawError.h"
#include "platform/runtime/Usual.h"

namespace rt {

// The current error block; null when none is installed.
CodeBlockRef ErrorBlock();
// Installs `block` (null removes it); returns the previous block.
CodeBlockRef ErrorBlock(CodeBlockRef block);
// Evaluates a block with one parameter; NIL for a null block.
Usual Eval(const CodeBlockRef& block, const Usual& parameter);

// Installs the error generator; returns the previous one.
ErrorGenerator ErrorFunc(ErrorGenerator generator);
// The error object built from the record by the generator; NIL when no
// generator is installed.
Usual ErrorBuild(RawError* raw);
// A number kept by the runtime: how many programs share it (1 for us).
std::uint32_t GetRTCount();

// Hands the error made from `raw` to the error block and returns its result.
// Without an error block, when errors keep arising inside the error block
// itself (nested deeper than a few levels), or when the error block fails
// with a C++ exception, nothing can handle the error: it is written to
// standard error, once, and the program ends with its GenCode. A jump to a
// recovery point (BreakSignal) passes through.
Usual Raise(RawError& raw);

// What a raiser knows about a failed operation, for RaiseError. Fields not
// given stay 0, FALSE or empty, as in a cleared record.
//   rt::RaiseError({.genCode = rt::gen::kNumOverflow, .severity = 2,
//                   .canDefault = true, .operation = "WINCENTRE"});
struct ErrorInfo {
    std::uint32_t genCode = 0;
    std::uint32_t subCode = 0;
    std::uint32_t osCode = 0;
    std::uint32_t severity = 2;
    bool canDefault = false;
    bool canRetry = false;
    bool canSubstitute = false;
    std::string_view subSystem{};
    std::string_view operation{};
    std::string_view description{};
    std::string_view fileName{};
    std::string_view arg{};
    std::uint32_t argNum = 0;
    std::uint32_t argType = 0;
    std::uint32_t argTypeReq = 0;
    std::uint32_t substituteType = 0;
    std::uint32_t tries = 0;
    Symbol funcSym{};
};
// Fills a raw record from `info` and raises it (Raise). The line of the
// call is recorded as the innermost activation's line first, so the report's
// call stack shows where the error was raised.
Usual RaiseError(const ErrorInfo& info, int callLine = __builtin_LINE());

// RaiseError for a helper without an activation of its own that raises on
// its caller's behalf (a late-bound send, say): records no line, so the line
// its caller marked before calling the helper stays the raise's line.
Usual RaiseErrorForCaller(const ErrorInfo& info);

enum class Answer { Retry, Default, Substitute };
// How to go on after the error block returned `result`.
Answer Classify(const Usual& result);

// Raises a C++ exception that escaped an event handler as a runtime error:
// GenCode gen::kException, `operation` as Operation, the exception's
// message as Description; the default answer is offered (carry on with the
// next event), a retry is not (the handler may have run half-way).
Usual RaiseFromException(const std::exception& error, std::string_view operation);
// The same for an exception whose message is `description` (one that is no
// std::exception: "exception of unknown type").
Usual RaiseFromException(std::string_view description, std::string_view operation);

// For the window layer's event dispatch: runs `handler`; a C++ exception
// of any type escaping it is raised with RaiseFromException instead of
// ending the program, with the call stack as it stood where the exception
// was thrown (see Activation.h). Returns false when the handler did not complete normally.
// A jump to a recovery point that began within the current event loop goes
// on at once (BreakSignal leaves DispatchGuarded). One whose point began
// outside the running event loop cannot unwind through the window system:
// it is held (HoldBreak), every running event loop is asked to end, and the
// code after the outermost loop continues it with ResumeHeldBreak.
//
// RaiseFromException itself may leave by BreakSignal (the operator chose
// abort inside a guarded sequence); a dispatch that calls it directly must
// treat that as DispatchGuarded does.
bool DispatchGuarded(const std::function<void()>& handler, std::string_view operation);
// Keeps a jump until the event loop has returned.
void HoldBreak(const BreakSignal& signal);
// After an event loop returned: continues a held jump, if any.
void ResumeHeldBreak();

// Makes std::terminate pass through the error system: a C++ exception that
// nobody caught (outside any event handler) is raised as a runtime error
// with GenCode gen::kException, neither default nor retry offered, with the
// call stack where it was thrown, so the operator sees the report and the
// error log gets its entry; then the runtime shuts down and the program ends
// with that code. Install once, at start-up.
void InstallTerminateHandler();

// Raises the runtime's internal error: GenCode gen::kInternal, SubCode
// `code`, OsCode `detail`, `message` as Description, default offered.
// Returns the error block's result. Records the line of the call as
// RaiseError does.
Usual InternalError(std::uint32_t code, std::uint32_t detail, std::string_view message,
                    int callLine = __builtin_LINE());

// The network-error flag that application code can test; the setter returns
// the previous value.
bool NetErr();
bool NetErr(bool value);

// Whether errors are written to the error log (initially TRUE); the setter
// returns the previous value.
bool SetErrorLog();
bool SetErrorLog(bool value);

// Shows the error dialog offering `choices` and returns the answer. Without
// a dialog (none installed in the state) the report goes to standard error
// and the answer is the one given when the operator gives none
// (UnansweredAnswer).
ErrorAnswer ErrorMessageBox(const std::string& text, const std::string& caption,
                            const ErrorChoices& choices);

// The empty value of a type code: 0, 0.0, "", FALSE, the empty date, an
// empty array, the null symbol, a null pointer; NIL for objects, for NIL and
// for numbers that name no type.
Usual EmptyUsual(std::uint32_t typeCode);

}  // namespace rt
