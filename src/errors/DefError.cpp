#include "errors/DefError.h"

#include "errors/CallStackText.h"
#include "errors/Error.h"
#include "errors/ErrorConstants.h"
#include "errors/ErrorLog.h"
#include "errors/ErrorMessageText.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/GenCode.h"
#include "platform/runtime/GuardedSequence.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/runtime/Termination.h"
#include "platform/runtime/Tone.h"

namespace errors {
namespace {

constexpr std::uint32_t kSeverityWarning = 1;
constexpr std::uint32_t kSeverityError = 2;
constexpr std::uint32_t kSeverityRaised = 3;

// Builds an error object for a value that is not one, through the shared
// raw record.
std::shared_ptr<Error> Wrap(const rt::Usual& value) {
    RT_ENTER("DEFERROR:WRAP", text::kModule);
    auto& raw = rt::State().errors.wrapRecord;
    raw.Clear();
    raw.Set(rt::RawError::GenCode, rt::gen::kDataType);
    raw.Set(rt::RawError::Severity, kSeverityError);
    auto& symbols = rt::State().symbols;
    const auto found = symbols.Find(text::kDefErrorSymbol);
    raw.Set(rt::RawError::FuncSym, (found ? *found : symbols.Add(text::kDefErrorSymbol)).number);
    raw.SetText(rt::RawError::Arg, rt::AsString(value));
    raw.Set(rt::RawError::ArgNum, 1);
    raw.SetLogic(rt::RawError::CanDefault, true);
    RT_LINE();
    auto built = AsError(rt::ErrorBuild(&raw));
    // Without a generator the runtime builds nothing; the handler still
    // reports what it was handed.
    if (!built) {
        RT_LINE();
        built = Error::New();
        if (built) {
            built->GenCode = rt::gen::kDataType;
            built->Severity = kSeverityError;
            built->FuncSym = rt::Symbol{raw.Get(rt::RawError::FuncSym)};
            built->Arg = raw.Text(rt::RawError::Arg);
            built->ArgNum = 1;
            built->CanDefault = true;
        }
    }
    return built;
}

void WriteLog(const std::string& text, const Error& error) {
    RT_ENTER("DEFERROR:WRITELOG", text::kModule);
    RT_LINE();
    const rt::FHandle handle = ErrorLogOpen();
    if (handle == rt::F_ERROR) return;
    rt::FSeek3(handle, 0, rt::FS_END);
    ErrorLogWrite(handle, text, error);
    rt::FClose(handle);
}

}  // namespace

rt::Usual DefError(const rt::Usual& value) {
    RT_ENTER("DEFERROR", text::kModule);
    std::shared_ptr<Error> error = AsError(value);
    RT_LINE();
    if (!error) error = Wrap(value);
    // Nothing could be made to report: take the default rather than fail.
    if (!error) return rt::Usual(false);
    if (error->CanDefault && error->GenCode == rt::gen::kOpen &&
        (error->OsCode == rt::oscode::kSharingViolation ||
         error->OsCode == rt::oscode::kLockViolation)) {
        rt::NetErr(true);
        return rt::Usual(false);
    }
    const std::string caption(error->Severity == kSeverityWarning ? text::kCaptionWarning
                                                                  : text::kCaptionError);
    if (error->SubstituteType == static_cast<std::uint32_t>(rt::UsualType::Ptr)) {
        error->Severity = kSeverityRaised;
    }
    std::string text = ErrorMessageText(*error);
    RT_LINE();
    if (error->Stack.empty()) error->Stack = CallStackText(1);
    if (!error->Stack.empty()) {
        text += text::kCallStack;
        text += text::kCrLf;
        text += error->Stack;
    }
    if (rt::SetBeep()) {
        rt::Tone(440, 1);
        rt::Tone(494, 1);
        rt::Tone(523, 1);
    }
    rt::ErrorChoices choices{.canDefault = error->CanDefault || error->CanSubstitute};
    if (error->CanRetry) {
        if (error->GenCode == rt::gen::kNoVariable) {
            error->CanRetry = false;
        } else {
            choices.canRetry = true;
        }
    }
    choices.abort = rt::CanBreak() ? rt::AbortOffer::ToRecovery : rt::AbortOffer::Quit;
    RT_LINE();
    if (rt::SetErrorLog()) WriteLog(text, *error);
    RT_LINE();
    const rt::ErrorAnswer answer = rt::ErrorMessageBox(text, caption, choices);
    if (answer == rt::ErrorAnswer::Default) {
        if (error->CanSubstitute) return rt::EmptyUsual(error->SubstituteType);
        return rt::Usual(false);
    }
    if (answer == rt::ErrorAnswer::Retry) return rt::Usual(true);
    // Abort and Quit alike: a recovery point, when there is one, is left for.
    rt::MathInit();
    if (rt::CanBreak()) rt::LabelJump(rt::Usual(rt::ObjectRef(error)));
    rt::ErrorLevel(static_cast<std::int32_t>(error->GenCode));
    rt::KXDBCloseAll();
    RT_LINE();
    rt::QuitProgram();
}

}  // namespace errors
