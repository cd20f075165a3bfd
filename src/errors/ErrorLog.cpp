#include "errors/ErrorLog.h"

#include <chrono>
#include <thread>

#include "errors/ErrorConstants.h"
#include "errors/HexValue.h"
#include "platform/os/SystemError.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/ErrorTexts.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/GenCode.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

constexpr int kOpenAttempts = 10;
constexpr std::chrono::milliseconds kOpenPause{1};

// "Name" padded with spaces to 16 characters, then ":".
std::string Label(std::string_view name) {
    std::string label(name);
    label.resize(16, ' ');
    label += ':';
    return label;
}

void PutField(rt::FHandle handle, std::string_view name, const std::string& value) {
    rt::FPutS(handle, Label(name) + value);
}

std::string Text(const std::string& value) {
    return rt::AsString(rt::Usual(value));
}
std::string Number(std::uint32_t value) {
    return rt::AsString(Error::Number(value));
}
std::string Logic(bool value) {
    return rt::AsString(rt::Usual(value));
}
std::string Sym(rt::Symbol value) {
    return rt::AsString(rt::Usual(value));
}

// An existing log, positioned at its end with an empty line written, so
// entries stay apart.
rt::FHandle ContinueLog(rt::FHandle handle) {
    RT_ENTER("CONTINUELOG", text::kModule);
    rt::FSeek3(handle, 0, rt::FS_END);
    rt::FPutS(handle, "");
    return handle;
}

}  // namespace

rt::FHandle ErrorLogOpen() {
    RT_ENTER("ERRORLOGOPEN", text::kModule);
    const std::string path = rt::WorkDir() + std::string(text::kLogFileName);
    rt::FHandle handle = rt::FOpen2(path, rt::FO_WRITE);
    // Another program appending its own entry holds the log for a moment:
    // wait for it rather than lose this entry.
    for (int attempt = 1; handle == rt::F_ERROR && attempt < kOpenAttempts &&
                          rt::FError() == rt::oscode::kSharingViolation;
         ++attempt) {
        std::this_thread::sleep_for(kOpenPause);
        handle = rt::FOpen2(path, rt::FO_WRITE);
    }
    RT_LINE();
    if (handle != rt::F_ERROR) return ContinueLog(handle);
    // A log still held after the attempts is not created afresh: that would
    // empty it the moment the other writer lets go.
    if (rt::FError() == rt::oscode::kSharingViolation || rt::FError() == rt::oscode::kLockViolation)
        return rt::F_ERROR;
    // Only a log that does not exist is created; when another process
    // created it in the meantime, its entries are continued, not emptied.
    handle = rt::FCreateNew(path, rt::FC_ARCHIVED);
    if (handle == rt::F_ERROR && rt::FError() == os::ERROR_FILE_EXISTS) {
        handle = rt::FOpen2(path, rt::FO_WRITE);
        RT_LINE();
        return handle != rt::F_ERROR ? ContinueLog(handle) : rt::F_ERROR;
    }
    auto& state = rt::State().errors;
    // The report of this very failure tries the log again; it then fails
    // quietly instead of raising the same error once more.
    if (handle == rt::F_ERROR && rt::FError() == rt::oscode::kPathNotFound &&
        !state.reportingLogFailure) {
        std::string message;
        if (!rt::GetDefaultDir().empty()) {
            message = std::string(text::kSetDefaultDir) + rt::GetDefaultDir();
            rt::SetDefaultDir("");
        } else {
            message = std::string(text::kSetDefault) + rt::GetDefault();
            rt::SetDefault("");
        }
        state.reportingLogFailure = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{state.reportingLogFailure};
        rt::InternalError(1, 0, message);
    }
    return handle;
}

void ErrorLogWrite(rt::FHandle handle, const std::string& text, const Error& error) {
    RT_ENTER("ERRORLOGWRITE", text::kModule);
    rt::FPutS(handle, text::kLogBanner);
    rt::FPutS(handle, rt::Version());
    rt::FPutS(handle, rt::DToC(rt::Today()) + " " + rt::Time());
    rt::FPutS(handle, std::string(text::kLogApplication) + rt::ExecName());
    rt::FPutS(handle, " ");
    rt::FPutS(handle, text::kLogErrorMessage);
    rt::FPutS(handle, text::kLogErrorRule);
    rt::FPutS(handle, text);
    rt::FPutS(handle, text::kLogObjectCreated);
    rt::FPutS(handle, text::kLogObjectRule);
    PutField(handle, "SubSystem", Text(error.SubSystem));
    PutField(handle, "SubCode", Number(error.SubCode));
    PutField(handle, "GenCode", rt::ErrString(error.GenCode));
    if (error.SubCode == rt::kSubCodeOsException) {
        PutField(handle, "ExceptionCode", HexValue(Error::Number(error.OsCode)));
        PutField(handle, "ExceptionFlags", HexValue(Error::Number(error.ArgType)));
        PutField(handle, "ExceptionAddress", HexValue(rt::Usual(error.FuncPtr)));
        PutField(handle, "ParamNumber", Number(error.ArgNum));
        PutField(handle, "ExceptionInfo", HexValue(rt::Usual(error.FuncSym)));
    } else {
        PutField(handle, "OsCode", Number(error.OsCode));
        PutField(handle, "ArgType", rt::TypeString(error.ArgType));
        PutField(handle, "FuncPtr", rt::AsString(rt::Usual(error.FuncPtr)));
        PutField(handle, "ArgNum", Number(error.ArgNum));
        PutField(handle, "FuncSym", Sym(error.FuncSym));
    }
    PutField(handle, "Severity", Number(error.Severity));
    PutField(handle, "CanDefault", Logic(error.CanDefault));
    PutField(handle, "CanRetry", Logic(error.CanRetry));
    PutField(handle, "CanSubstitute", Logic(error.CanSubstitute));
    PutField(handle, "Operation", Text(error.Operation));
    PutField(handle, "Description", Text(error.Description));
    PutField(handle, "FileName", Text(error.FileName));
    PutField(handle, "Tries", Number(error.Tries));
    PutField(handle, "FileHandle", Number(error.FileHandle));
    PutField(handle, "SubCodeText", Text(error.SubCodeText));
    PutField(handle, "Arg", Text(error.Arg));
    PutField(handle, "ArgTypeReq", rt::TypeString(error.ArgTypeReq));
    PutField(handle, "MaxSize", Number(error.MaxSize));
    PutField(handle, "SubstituteType", rt::TypeString(error.SubstituteType));
    PutField(handle, "CallFuncSym", Sym(error.CallFuncSym));
    rt::FPutS(handle, text::kLogObjectRule);
}

}  // namespace errors
