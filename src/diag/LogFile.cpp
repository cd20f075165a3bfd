#include "diag/LogFile.h"

#include "diag/DiagTexts.h"
#include "diag/LogFileName.h"
#include "diag/OpenWithRetry.h"
#include "diag/PathSupport.h"
#include "diag/ServerLogDir.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/DebugOut.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/RuntimeState.h"

namespace diag {

LogFile::LogFile(const rt::Usual& fileName, const rt::Usual& serverLog, const rt::Usual& append) {
    RT_ENTER("LOGFILE:INIT", kLogFileModule);
    RT_LINE();
    const std::string program = ProgramFileName(true);
    RT_LINE();
    serverPath_ = PathPart(program);
    RT_LINE();
    const bool toServer = serverLog.IsLogic() && serverLog.AsLogic();
    RT_LINE();
    fName_ = ChooseLogFileName(program, fileName, toServer, &ServerLogDir);

    RT_LINE();
    append_ = append.IsLogic() ? append.AsLogic() : true;
    rt::FHandle handle = rt::F_ERROR;
    RT_LINE();
    if (!rt::File(fName_)) {
        RT_LINE();
        handle = rt::FCreate(fName_);
    } else if (append_) {
        RT_LINE();
        handle = OpenWithRetry(fName_, rt::FO_READWRITE);
    } else {
        RT_LINE();
        bool backedUp = true;
        if (rt::File(fName_)) {
            RT_LINE();
            if (backupName_.empty()) backupName_ = DeriveBackupName(fName_);
            RT_LINE();
            backedUp = rt::FCopy(fName_, backupName_);
        }
        // Emptying a log whose copy failed would lose it: keep it instead.
        RT_LINE();
        handle = backedUp ? rt::FCreate(fName_) : OpenWithRetry(fName_, rt::FO_READWRITE);
    }

    RT_LINE();
    if (handle == rt::F_ERROR) {
        RT_LINE();
        log2File_ = LastFileHeldByAnother();
    } else {
        RT_LINE();
        log2File_ = true;
        rt::FClose(handle);
    }
}

bool LogFile::WithLogEnd(const std::function<void(rt::FHandle)>& write) {
    RT_ENTER("LOGFILE:WITHLOGEND", kLogFileModule);
    RT_LINE();
    const rt::FHandle handle = OpenWithRetry(fName_, rt::FO_READWRITE);
    RT_LINE();
    if (handle == rt::F_ERROR) return false;
    // Writing where the seek left off would overwrite the log's start.
    RT_LINE();
    const bool atEnd = rt::FSeek(handle, 0, rt::FS_END) >= 0;
    RT_LINE();
    if (atEnd) write(handle);
    RT_LINE();
    rt::FClose(handle);
    RT_LINE();
    return atEnd;
}

bool LogFile::DebugMsg(const std::string& text) {
    RT_ENTER("LOGFILE:DEBUGMSG", kLogFileModule);
    RT_LINE();
    if (!log2File_) {
        RT_LINE();
        rt::_DebOut32(text.c_str());
        RT_LINE();
        return !text.empty();
    }
    RT_LINE();
    std::uint32_t written = 0;
    RT_LINE();
    WithLogEnd([&](rt::FHandle handle) { written = rt::FPutS(handle, text); });
    // A line cut short is a failed write, not a message written.
    RT_LINE();
    return written > 0 && written == text.size() + 2;
}

std::string LogFile::SetFName(const rt::Usual& value) {
    RT_ENTER("LOGFILE:FNAME", kLogFileModule);
    RT_LINE();
    if (value.IsString()) fName_ = value.AsText();
    RT_LINE();
    return fName_;
}

std::string LogFile::SetBackupName(const rt::Usual& value) {
    RT_ENTER("LOGFILE:BACKUPNAME", kLogFileModule);
    RT_LINE();
    if (value.IsString()) backupName_ = value.AsText();
    RT_LINE();
    return backupName_;
}

bool LogFile::SetAppend(const rt::Usual& value) {
    RT_ENTER("LOGFILE:APPEND", kLogFileModule);
    RT_LINE();
    if (value.IsLogic()) append_ = value.AsLogic();
    RT_LINE();
    return append_;
}

bool LogFile::SetLog2File(const rt::Usual& value) {
    RT_ENTER("LOGFILE:LOG2FILE", kLogFileModule);
    RT_LINE();
    if (value.IsLogic()) log2File_ = value.AsLogic();
    RT_LINE();
    return log2File_;
}

std::string LogFile::LogPath() const {
    RT_ENTER("LOGFILE:LOGPATH", kLogFileModule);
    RT_LINE();
    const auto at = fName_.rfind(kPathSep);
    RT_LINE();
    return at == std::string::npos ? fName_ : fName_.substr(0, at);
}

}  // namespace diag
