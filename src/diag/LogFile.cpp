#include "diag/LogFile.h"

#include "diag/DiagTexts.h"
#include "diag/ErrorProperties.h"
#include "diag/LogFileName.h"
#include "diag/OpenWithRetry.h"
#include "diag/PathSupport.h"
#include "diag/ServerLogDir.h"
#include "platform/os/SystemError.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/DebugOut.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/FileBytes.h"
#include "platform/runtime/FileSize.h"
#include "platform/runtime/Files.h"

#include <filesystem>
#include <system_error>

namespace diag {
namespace {

constexpr std::uint32_t kBackupChunk = 64 * 1024;
// Appended to the backup's name while its copy is being made.
constexpr std::string_view kPartialBackupSuffix = ".part";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

LogFile::LogFile(const rt::Usual& fileName, const rt::Usual& serverLog, const rt::Usual& append) {
    Init(fileName, serverLog, append);
}

LogFile& LogFile::Init(const rt::Usual& fileName, const rt::Usual& serverLog,
                       const rt::Usual& append) {
    RT_ENTER("LOGFILE:INIT", kLogFileModule);
    const std::string program = ProgramFileName(true);
    serverPath_ = PathPart(program);
    const bool toServer = serverLog.IsLogic() && serverLog.AsLogic();
    fName_ = ChooseLogFileName(program, fileName, toServer, &ServerLogDir);

    append_ = append.IsLogic() ? append.AsLogic() : true;
    rt::FHandle handle = rt::F_ERROR;
    bool exists = rt::File(fName_);
    if (!exists) {
        // Created only if still missing: another process that found it
        // missing at the same moment may have created it and written to it
        // since, and emptying it would lose lines it reported written.
        handle = rt::FCreateNew(fName_);
        exists = handle == rt::F_ERROR && rt::FError() == os::ERROR_FILE_EXISTS;
    }
    if (exists && append_) {
        handle = OpenWithRetry(fName_, rt::FO_READWRITE);
    } else if (exists) {
        if (backupName_.empty()) backupName_ = DeriveBackupName(fName_);
        // Copied and emptied through the one handle that holds the log, so
        // that no other writer's line can land between copy and emptying and
        // be lost; a copy that fails keeps the old log.
        handle = OpenWithRetry(fName_, rt::FO_READWRITE);
        if (handle != rt::F_ERROR && BackUp(handle)) rt::FChSize(handle, 0);
    }

    if (handle == rt::F_ERROR) {
        log2File_ = LastFileHeldByAnother();
    } else {
        log2File_ = true;
        rt::FClose(handle);
    }
    return *this;
}

bool LogFile::BackUp(rt::FHandle log) {
    RT_ENTER("LOGFILE:BACKUP", kLogFileModule);
    if (rt::FSeek(log, 0, rt::FS_SET) != 0) return false;
    // The copy goes to a name of its own and replaces the previous backup
    // only once it is complete, so a copy that fails part-way (a full disk)
    // leaves the previous backup as it was. Backups of one log are made
    // under the log's lock, so no two of them share the temporary name.
    const std::string partial = backupName_ + std::string(kPartialBackupSuffix);
    const rt::FHandle backup = rt::FCreate(partial);
    if (backup == rt::F_ERROR) return false;
    bool copied = true;
    for (;;) {
        const std::string chunk = rt::FRead(log, kBackupChunk);
        if (rt::FError() != 0 || (!chunk.empty() && rt::FWrite(backup, chunk) != chunk.size())) {
            copied = false;
            break;
        }
        if (chunk.empty()) break;
    }
    copied = rt::FClose(backup) && copied;
    const std::string partialPath = rt::ResolveFileName(partial);
    std::error_code error;
    if (copied) {
        std::filesystem::rename(partialPath, rt::ResolveFileName(backupName_), error);
        copied = !error;
    }
    if (!copied) std::filesystem::remove(partialPath, error);
    return copied;
}

bool LogFile::WithLogEnd(const std::function<bool(rt::FHandle)>& write) {
    RT_ENTER("LOGFILE:WITHLOGEND", kLogFileModule);
    const rt::FHandle handle = OpenWithRetry(fName_, rt::FO_READWRITE);
    if (handle == rt::F_ERROR) return false;
    // Writing where a failed seek left off would overwrite the log's start.
    const std::int64_t end = rt::FSeek(handle, 0, rt::FS_END);
    // A writer killed mid-line left a fragment: this line starts on a line
    // of its own instead of being glued onto it.
    const bool complete = end >= 0 && EndLastLine(handle, end) && write(handle);
    // The lock is still held here: no other writer has seen the fragment.
    if (end >= 0 && !complete) rt::FChSize(handle, end);
    rt::FClose(handle);
    return complete;
}

bool LogFile::EndLastLine(rt::FHandle log, std::int64_t end) {
    RT_ENTER("LOGFILE:ENDLASTLINE", kLogFileModule);
    if (end == 0) return true;
    if (rt::FSeek(log, end - 1, rt::FS_SET) != end - 1) return false;
    const std::string last = rt::FRead(log, 1);
    if (last.size() != 1) return false;
    // A lone LF ends a line as well, as other tools write them.
    if (last.front() == '\n') return true;
    return rt::FWrite(log, kLineEnd) == kLineEnd.size();
}

bool LogFile::DebugMsg(const std::string& text) {
    RT_ENTER("LOGFILE:DEBUGMSG", kLogFileModule);
    if (!log2File_) {
        rt::DebOut32(text.c_str());
        return !text.empty();
    }
    return WithLogEnd([&](rt::FHandle handle) {
        // A line cut short is a failed write, not a message written.
        return rt::FPutS(handle, text) == text.size() + 2;
    });
}

LogFile& LogFile::DumpError(const ErrorPropertyReader& error) {
    RT_ENTER("LOGFILE:DUMPERROR", kLogFileModule);
    const std::vector<std::string> lines = ErrorDumpLines(error, DumpStamp::Now());
    WithLogEnd([&](rt::FHandle handle) {
        for (const auto& line : lines)
            if (rt::FPutS(handle, line) != line.size() + 2) return false;
        return true;
    });
    return *this;
}

LogFile& LogFile::DumpError(const errors::Error& error) {
    RT_ENTER("LOGFILE:DUMPERROR", kLogFileModule);
    return DumpError(PropertiesOf(error));
}

std::string LogFile::SetFName(const rt::Usual& value) {
    RT_ENTER("LOGFILE:FNAME", kLogFileModule);
    if (value.IsString()) fName_ = value.AsText();
    return fName_;
}

std::string LogFile::SetBackupName(const rt::Usual& value) {
    RT_ENTER("LOGFILE:BACKUPNAME", kLogFileModule);
    if (value.IsString()) backupName_ = value.AsText();
    return backupName_;
}

bool LogFile::SetAppend(const rt::Usual& value) {
    RT_ENTER("LOGFILE:APPEND", kLogFileModule);
    if (value.IsLogic()) append_ = value.AsLogic();
    return append_;
}

bool LogFile::SetLog2File(const rt::Usual& value) {
    RT_ENTER("LOGFILE:LOG2FILE", kLogFileModule);
    if (value.IsLogic()) log2File_ = value.AsLogic();
    return log2File_;
}

std::string LogFile::LogPath() const {
    RT_ENTER("LOGFILE:LOGPATH", kLogFileModule);
    const auto at = fName_.rfind(kPathSep);
    return at == std::string::npos ? fName_ : fName_.substr(0, at);
}

}  // namespace diag
