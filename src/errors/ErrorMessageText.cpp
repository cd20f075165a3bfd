#include "errors/ErrorMessageText.h"

#include <string_view>

#include "errors/ErrorConstants.h"
#include "platform/os/ModuleHandle.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/ErrorTexts.h"

namespace errors {
namespace {

constexpr std::size_t kFileNameWidth = 40;

void AddLine(std::string& text, std::string_view label, std::string_view value) {
    text += label;
    text += value;
    text += text::kCrLf;
}

// The bytes one character takes at the start of `text`: a whole UTF-8
// sequence, or 1 for a byte that starts none (text that is not UTF-8 then
// counts a character per byte).
std::size_t CharacterBytes(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0xC2   ? 1
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 1;
    if (length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

// The first `count` characters of `text`, never splitting one.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (; count > 0 && end < text.size(); --count) end += CharacterBytes(text.substr(end));
    return text.substr(0, end);
}

bool ModuleLoaded(std::string_view name) {
    const std::string zeroTerminated(name);
    return os::GetModuleHandleA(zeroTerminated.c_str()) != 0;
}

}  // namespace

std::string ErrorMessageText(const Error& error) {
    RT_ENTER("ERRORMESSAGETEXT", text::kModule);
    std::string text(error.Severity == 1 ? text::kFirstWarning : text::kFirstError);
    text += ' ';
    if (error.GenCode == 0) {
        text += error.Description;
    } else {
        text += std::to_string(error.GenCode);
        text += " [ ";
        text += rt::Upper(rt::ErrString(error.GenCode));
        text += " ]";
    }
    text += text::kCrLf;
    if (!error.SubSystem.empty()) AddLine(text, text::kSubsystem, error.SubSystem);
    if (error.SubCode != 0) {
        std::string line = std::to_string(error.SubCode);
        if (!error.SubCodeText.empty()) line += " (" + error.SubCodeText + ")";
        AddLine(text, text::kSubcode, line);
    }
    if (!error.Operation.empty()) AddLine(text, text::kOperation, error.Operation);
    if (error.FuncSym) AddLine(text, text::kFunction, rt::Symbol2String(error.FuncSym));
    if (!error.FileName.empty()) {
        AddLine(text, text::kFilename, FirstCharacters(error.FileName, kFileNameWidth));
    }
    if (!error.Arg.empty()) {
        AddLine(text, text::kArgument, error.Arg);
        if (error.ArgType != 0) AddLine(text, text::kType, rt::TypeString(error.ArgType));
    }
    if (error.ArgNum != 0) AddLine(text, text::kArgumentNumber, std::to_string(error.ArgNum));
    if (error.ArgTypeReq != 0 && error.ArgTypeReq != error.ArgType) {
        AddLine(text, text::kRequestedType, rt::TypeString(error.ArgTypeReq));
    }
    if (!error.Description.empty()) AddLine(text, text::kDescription, error.Description);
    std::string_view note;
    if (ModuleLoaded(text::kOldCoreModule)) {
        note = text::kOldCoreNote;
    } else if (ModuleLoaded(text::kOldRunModule)) {
        note = text::kOldRunNote;
    }
    if (!note.empty()) {
        text += text::kCrLf;
        AddLine(text, text::kPleaseNote, "");
        AddLine(text, note, "");
        AddLine(text, text::kOldRuntimeCause, text::kCrLf);
    }
    return text;
}

}  // namespace errors
