#include "errors/ErrorMessageText.h"

#include <string_view>

#include "errors/ErrorConstants.h"
#include "platform/os/ModuleHandle.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/ErrorTexts.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

constexpr std::size_t kFileNameWidth = 40;

void AddLine(std::string& text, std::string_view label, std::string_view value) {
    text += label;
    text += value;
    text += text::kCrLf;
}

bool ModuleLoaded(std::string_view name) {
    const std::string zeroTerminated(name);
    return os::GetModuleHandleA(zeroTerminated.c_str()) != 0;
}

}  // namespace

std::string ErrorMessageText(const Error& error) {
    RT_ENTER("ERRORMESSAGETEXT", text::kModule);
    RT_LINE();
    std::string text(error.Severity == 1 ? text::kFirstWarning : text::kFirstError);
    text += ' ';
    RT_LINE();
    if (error.GenCode == 0) {
        text += error.Description;
    } else {
        text += std::to_string(error.GenCode);
        text += " [ ";
        text += rt::Upper(rt::ErrString(error.GenCode));
        text += " ]";
    }
    text += text::kCrLf;
    RT_LINE();
    if (!error.SubSystem.empty()) AddLine(text, text::kSubsystem, error.SubSystem);
    RT_LINE();
    if (error.SubCode != 0) {
        std::string line = std::to_string(error.SubCode);
        if (!error.SubCodeText.empty()) line += " (" + error.SubCodeText + ")";
        AddLine(text, text::kSubcode, line);
    }
    RT_LINE();
    if (!error.Operation.empty()) AddLine(text, text::kOperation, error.Operation);
    RT_LINE();
    if (error.FuncSym) AddLine(text, text::kFunction, rt::Symbol2String(error.FuncSym));
    RT_LINE();
    if (!error.FileName.empty()) {
        AddLine(text, text::kFilename, std::string_view(error.FileName).substr(0, kFileNameWidth));
    }
    RT_LINE();
    if (!error.Arg.empty()) {
        AddLine(text, text::kArgument, error.Arg);
        if (error.ArgType != 0) AddLine(text, text::kType, rt::TypeString(error.ArgType));
    }
    RT_LINE();
    if (error.ArgNum != 0) AddLine(text, text::kArgumentNumber, std::to_string(error.ArgNum));
    RT_LINE();
    if (error.ArgTypeReq != 0 && error.ArgTypeReq != error.ArgType) {
        AddLine(text, text::kRequestedType, rt::TypeString(error.ArgTypeReq));
    }
    RT_LINE();
    if (!error.Description.empty()) AddLine(text, text::kDescription, error.Description);
    RT_LINE();
    std::string_view note;
    if (ModuleLoaded(text::kOldCoreModule)) {
        note = text::kOldCoreNote;
    } else if (ModuleLoaded(text::kOldRunModule)) {
        note = text::kOldRunNote;
    }
    RT_LINE();
    if (!note.empty()) {
        text += text::kCrLf;
        AddLine(text, text::kPleaseNote, "");
        AddLine(text, note, "");
        AddLine(text, text::kOldRuntimeCause, text::kCrLf);
    }
    return text;
}

}  // namespace errors
