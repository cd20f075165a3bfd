#include "diag/PathSupport.h"

#include "diag/DiagTexts.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/RuntimeState.h"

namespace diag {

std::string ProgramFileName(bool full) {
    RT_ENTER("PROGRAMFILENAME", kLogFileModule);
    RT_LINE();
    const std::string path = rt::_ExecName();
    RT_LINE();
    if (full) return path;
    RT_LINE();
    const auto at = path.rfind(kPathSep);
    RT_LINE();
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string PathPart(std::string_view path) {
    RT_ENTER("PATHPART", kLogFileModule);
    RT_LINE();
    const auto at = path.rfind(kPathSep);
    RT_LINE();
    return std::string(at == std::string_view::npos ? path : path.substr(0, at + 1));
}

}  // namespace diag
