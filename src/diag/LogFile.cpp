#include "diag/LogFile.h"

#include "diag/DiagTexts.h"
#include "diag/ErrorProperties.h"
#include "diag/LogFileName.h"
#include "diag/OpenWithRetry.h"
#include "diag/PathSupport.h"
#include "diag/ServerLogDir.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/DebugOut.h"
#include "platform/runtime/FileBytes.h"
#include "platform/runtime/FileSize.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/RuntimeState.h"

namespace diag {
namespace {

constexpr std::uint32_t kBackupChunk = 64 * 1024;

}  // namespace

LogFile::LogFile(const rt::Usual& fileName, const rt::Usual& serverLog, const rt::Usual& append) {
    Init(fileName, serverLog, append);
}

LogFile& LogFile::Init(const rt::Usual& fileName, const rt::Usual& serverLog,
                       const rt::Usual& append) {
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
        if (backupName_.empty()) backupName_ = DeriveBackupName(fName_);
        // Copied and emptied through the one handle that holds the log, so
        // that no other writer's line can land between copy and emptying and
        // be lost; a copy that fails keeps the old log.
        RT_LINE();
        handle = OpenWithRetry(fName_, rt::FO_READWRITE);
        RT_LINE();
        if (handle != rt::F_ERROR && BackUp(handle)) rt::FChSize(handle, 0);
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
    RT_LINE();
    return *this;
}

bool LogFile::BackUp(rt::FHandle log) {
    RT_ENTER("LOGFILE:BACKUP", kLogFileModule);
    RT_LINE();
    if (rt::FSeek(log, 0, rt::FS_SET) != 0) return false;
    RT_LINE();
    const rt::FHandle backup = rt::FCreate(backupName_);
    RT_LINE();
    if (backup == rt::F_ERROR) return false;
    RT_LINE();
    bool copied = true;
    for (;;) {
        RT_LINE();
        const std::string chunk = rt::FRead(log, kBackupChunk);
        if (rt::FError() != 0 || (!chunk.empty() && rt::FWrite(backup, chunk) != chunk.size())) {
            copied = false;
            break;
        }
        if (chunk.empty()) break;
    }
    RT_LINE();
    return rt::FClose(backup) && copied;
}

bool LogFile::WithLogEnd(const std::function<bool(rt::FHandle)>& write) {
    RT_ENTER("LOGFILE:WITHLOGEND", kLogFileModule);
    RT_LINE();
    const rt::FHandle handle = OpenWithRetry(fName_, rt::FO_READWRITE);
    RT_LINE();
    if (handle == rt::F_ERROR) return false;
    // Writing where a failed seek left off would overwrite the log's start.
    RT_LINE();
    const std::int64_t end = rt::FSeek(handle, 0, rt::FS_END);
    RT_LINE();
    const bool complete = end >= 0 && write(handle);
    // The lock is still held here: no other writer has seen the fragment.
    RT_LINE();
    if (end >= 0 && !complete) rt::FChSize(handle, end);
    RT_LINE();
    rt::FClose(handle);
    RT_LINE();
    return complete;
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
    return WithLogEnd([&](rt::FHandle handle) {
        // A line cut short is a failed write, not a message written.
        return rt::FPutS(handle, text) == text.size() + 2;
    });
}

LogFile& LogFile::DumpError(const ErrorPropertyReader& error) {
    RT_ENTER("LOGFILE:DUMPERROR", kLogFileModule);
    RT_LINE();
    const std::vector<std::string> lines = ErrorDumpLines(error, DumpStamp::Now());
    RT_LINE();
    WithLogEnd([&](rt::FHandle handle) {
        for (const auto& line : lines)
            if (rt::FPutS(handle, line) != line.size() + 2) return false;
        return true;
    });
    RT_LINE();
    return *this;
}

LogFile& LogFile::DumpError(const errors::Error& error) {
    RT_ENTER("LOGFILE:DUMPERROR", kLogFileModule);
    RT_LINE();
    return DumpError(PropertiesOf(error));
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
