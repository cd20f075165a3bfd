#include "errors/CallStackText.h"

#include <string_view>

#include "errors/ErrorConstants.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/ProcInfo.h"

namespace errors {
namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::string CallStackText(std::uint32_t level, std::size_t ownFrames,
                          const CallStackSettings& settings) {
    RT_ENTER("CALLSTACKTEXT", text::kModule);
    // CALLSTACKTEXT itself and the caller's own frames are not part of the
    // stack it reports.
    const std::size_t skip = 1 + ownFrames;
    const std::size_t count = rt::ActivationCount();
    const std::size_t depth = count > skip ? count - skip : 0;
    int remaining = settings.maxLines < 1 ? 1 : settings.maxLines;
    int stops = settings.stopCount;
    std::string text;
    while (level != depth) {
        if (remaining == 0) break;
        --remaining;
        if (settings.showLevel) {
            if (depth < level) {
                text += text::kNoLevel;
            } else {
                text += rt::StrZero(static_cast<double>(depth - level), 3, 0);
                text += ", ";
            }
        }
        const std::size_t at = level + skip;
        if (settings.showFile) {
            text += rt::ProcFile(at);
            text += ", ";
        }
        std::string name = rt::ProcName(at);
        if (name.empty()) name = text::kNoProcName;
        text += name;
        text += text::kLineOpen;
        text += std::to_string(rt::ProcLine(at));
        text += ")";
        text += text::kCrLf;
        ++level;
        if (stops > 0 && (EndsWith(name, ":EXEC") || EndsWith(name, ":DISPATCH"))) {
            if (--stops == 0) break;
        }
    }
    if (text.empty()) {
        text += text::kEmptyCallStack;
        text += text::kCrLf;
    }
    return text;
}

}  // namespace errors
