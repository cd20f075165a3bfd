#include "diag/LogFileName.h"

#include <cstdint>

#include "diag/DiagTexts.h"
#include "diag/PathSupport.h"
#include "platform/runtime/Activation.h"

namespace diag {
namespace {

// Position from 1 of the last `c` in `text`; 0 when there is none.
std::uint32_t LastPos(std::string_view text, char c) {
    const auto at = text.rfind(c);
    return at == std::string_view::npos ? 0 : static_cast<std::uint32_t>(at + 1);
}

// `count` characters of `text` from position `start` (from 1; 0 counts as
// 1), or fewer at the end of the text.
std::string Piece(std::string_view text, std::uint32_t start, std::uint32_t count) {
    const std::size_t from = start == 0 ? 0 : start - 1;
    if (from >= text.size()) return {};
    return std::string(text.substr(from, count));
}

}  // namespace

std::string ChooseLogFileName(std::string_view programPath, const rt::Usual& requested,
                              bool serverLog, const std::function<std::string()>& serverLogDir) {
    RT_ENTER("CHOOSELOGFILENAME", kLogFileModule);
    std::string base;
    if (requested.IsString() && !requested.AsText().empty()) {
        const std::string& name = requested.AsText();
        base = name.find(kPathSep) != std::string::npos ? name : PathPart(programPath) + name;
    } else {
        base = std::string(programPath);
    }

    const std::uint32_t dot = LastPos(base, '.');
    if (serverLog) {
        const std::uint32_t sep = LastPos(base, kPathSep);
        // Unsigned on purpose: a "." before the last separator makes the
        // count wrap, and the piece runs to the end of the name.
        const std::uint32_t count = dot > 0 ? dot - sep : UINT32_MAX;
        return serverLogDir() + Piece(base, sep, count) + std::string(kLogExtension);
    }
    if (dot > 0) return base.substr(0, dot) + std::string(kLogSuffix);
    return base + std::string(kLogExtension);
}

std::string DeriveBackupName(std::string_view logName) {
    RT_ENTER("DERIVEBACKUPNAME", kLogFileModule);
    const std::uint32_t dot = LastPos(logName, '.');
    if (dot > 0) return std::string(logName.substr(0, dot)) + std::string(kBackupSuffix);
    return std::string(logName) + std::string(kBackupExtension);
}

}  // namespace diag
