#include "diag/PathSupport.h"

#include "diag/DiagTexts.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Directories.h"

namespace diag {

std::string ProgramFileName(bool full) {
    RT_ENTER("PROGRAMFILENAME", kLogFileModule);
    const std::string path = rt::ExecName();
    if (full) return path;
    const auto at = path.rfind(kPathSep);
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string PathPart(std::string_view path) {
    RT_ENTER("PATHPART", kLogFileModule);
    const auto at = path.rfind(kPathSep);
    return std::string(at == std::string_view::npos ? path : path.substr(0, at + 1));
}

}  // namespace diag
