#pragma once
// A plain-text diagnostics log that several processes may share.
//
// The constructor decides where the log lives (beside the program, at a
// name the caller gives, or in the web server's log folder), whether an
// existing log is continued or saved as a backup and started afresh, and
// finds out once whether the file can be written. Every later write opens
// the file, appends at its end and closes it again, waiting for another
// holder only through OpenWithRetry; the file is never held between calls.
//
// Messages go to the file while Log2File is TRUE and to the debugger output
// otherwise. Properties change names and switches without touching a file.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "diag/ErrorDump.h"
#include "errors/Error.h"
#include "platform/runtime/FileTable.h"
#include "platform/runtime/Usual.h"

namespace diag {

class LogFile : public rt::Object, public std::enable_shared_from_this<LogFile> {
  public:
    // Arguments of the wrong type count as left out.
    //  fileName:  requested log name, with or without folder (see
    //             ChooseLogFileName); left out: the program's own name.
    //  serverLog: logical, default FALSE: the log goes to the web server's
    //             log folder (ServerLogDir).
    //  append:    logical, default TRUE: an existing log is continued. FALSE:
    //             an existing log is copied to BackupName (derived from the
    //             log name when empty) and the log starts empty; copy and
    //             emptying happen while the log is held, so no other writer's
    //             line is lost in between. The copy replaces an older backup
    //             only once it is complete; when it fails, the older backup
    //             stays as it was and the old log is kept and continued.
    // A missing log is created only if it is still missing at that moment:
    // one that another process has just created is treated as existing.
    // Every write that finds the log ending in a fragment (a writer killed
    // mid-line) first ends that line, so its own line stands alone.
    // Afterwards Log2File is TRUE when the log could be opened or created,
    // or when it failed only because another process held the file (later
    // writes retry); otherwise FALSE and messages go to the debugger output.
    explicit LogFile(const rt::Usual& fileName = rt::NIL, const rt::Usual& serverLog = rt::NIL,
                     const rt::Usual& append = rt::NIL);
    // The constructor's work, for running it again on a configured object:
    // a BackupName set beforehand is used as it is. Returns the object.
    LogFile& Init(const rt::Usual& fileName = rt::NIL, const rt::Usual& serverLog = rt::NIL,
                  const rt::Usual& append = rt::NIL);

    std::string ClassName() const override { return "LOGFILE"; }

    // Writes one message. Log2File TRUE: the text and CR LF are appended to
    // the log; TRUE only when the whole line was written (a log held by
    // another process for all attempts drops the text). Log2File FALSE: the
    // text goes to the debugger output; TRUE when it is not empty.
    bool DebugMsg(const std::string& text);

    // Appends the listing of an error object (ErrorDump.h) to the log,
    // whatever Log2File says. The whole dump is written under one opening
    // of the file; a log that stays held by another process drops it, and a
    // write cut short takes the dump back out again. Returns the object.
    LogFile& DumpError(const ErrorPropertyReader& error);
    LogFile& DumpError(const errors::Error& error);

    const std::string& FName() const { return fName_; }
    // Takes a text, ignores anything else; returns FName. Touches no file.
    std::string SetFName(const rt::Usual& value);
    const std::string& BackupName() const { return backupName_; }
    // Takes a text, ignores anything else; returns BackupName.
    std::string SetBackupName(const rt::Usual& value);
    bool Append() const { return append_; }
    // Takes a logical, ignores anything else; returns Append. Only the
    // constructor reads it.
    bool SetAppend(const rt::Usual& value);
    bool Log2File() const { return log2File_; }
    // Takes a logical, ignores anything else; returns Log2File.
    bool SetLog2File(const rt::Usual& value);
    // The program's folder, ending in a separator.
    const std::string& ServerPath() const { return serverPath_; }
    // FName up to but not including its last separator; FName itself when it
    // holds none.
    std::string LogPath() const;

  private:
    // Copies the log held by `log` to BackupName, replacing an older backup.
    // FALSE when the backup cannot be created or the copy fails.
    bool BackUp(rt::FHandle log);
    // Ends the log's last line when it lacks its line end (CR LF; a lone LF
    // counts as one too). `end` is the log's size; the file position is left
    // at the (new) end. FALSE when the end cannot be read or written.
    bool EndLastLine(rt::FHandle log, std::int64_t end);
    // Opens the log (OpenWithRetry), moves to its end, hands the handle to
    // `write` and closes the file. `write` answers whether everything it
    // wrote went through; when not, the log is cut back to where it ended
    // before, so that no piece of a line stays for the next writer's line to
    // be glued to. FALSE when the log cannot be opened, its end cannot be
    // reached (nothing is written then) or the write was incomplete.
    bool WithLogEnd(const std::function<bool(rt::FHandle)>& write);

    std::string fName_;
    std::string backupName_;
    std::string serverPath_;
    bool log2File_ = false;
    bool append_ = true;
};

}  // namespace diag
