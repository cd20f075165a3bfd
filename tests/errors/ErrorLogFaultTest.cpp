// The runtime error log under faults: several processes appending entries
// to one KXERROR.LOG at once, and a log directory that is read-only or full.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <fstream>
#include <map>
#include <sstream>

#include "ErrorTestSupport.h"
#include "errors/ErrorLog.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/Files.h"

namespace errors {
namespace {

using testing::ReadFile;

constexpr const char* kBanner = "***********************ERROR********************************\r\n";
constexpr const char* kEntryEnd = "--------------------\r\n";

Error EntryError(const std::string& id) {
    Error error;
    error.SubSystem = "Serial";
    error.GenCode = 21;
    error.Description = id;
    return error;
}

// Appends one entry the way the handler does; TRUE when the log was opened.
bool AppendEntry(const std::string& id) {
    const rt::FHandle handle = ErrorLogOpen();
    if (handle == rt::F_ERROR) return false;
    ErrorLogWrite(handle, "Error message for " + id + "\r\n", EntryError(id));
    rt::FClose(handle);
    return true;
}

// The log's entries: the text from one banner to the next. FALSE in `whole`
// when anything stands before the first banner.
std::vector<std::string> Entries(const std::string& log, bool& whole) {
    std::vector<std::string> entries;
    std::size_t at = log.find(kBanner);
    whole = log.empty() || at == 0 || log.substr(0, at) == "\r\n";
    while (at != std::string::npos) {
        const std::size_t next = log.find(kBanner, at + 1);
        entries.push_back(log.substr(at, next == std::string::npos ? next : next - at));
        at = next;
    }
    return entries;
}

class ErrorLogFaultTest : public testing::ErrorSystemFixture {};

TEST_F(ErrorLogFaultTest, ProcessesAppendingAtOnceLeaveEveryWrittenEntryWhole) {
    constexpr int kProcesses = 4;
    constexpr int kEntries = 60;
    const auto id = [](int process, int entry) {
        return "p" + std::to_string(process) + "e" + std::to_string(entry);
    };
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const std::string report = scratch_.filePath(QString("written%1").arg(p)).toStdString();
        const pid_t pid = ::fork();
        if (pid == 0) {
            std::string written;
            for (int e = 0; e < kEntries; ++e)
                if (AppendEntry(id(p, e))) written += id(p, e) + "\n";
            std::ofstream(report) << written;
            ::_exit(0);
        }
        ASSERT_GT(pid, 0);
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::map<std::string, int> written;
    for (int p = 0; p < kProcesses; ++p) {
        std::istringstream report(
            ReadFile(scratch_.filePath(QString("written%1").arg(p)).toStdString()));
        for (std::string line; std::getline(report, line);) written[line] = 0;
    }
    ASSERT_FALSE(written.empty()) << "no process could write a single entry";

    bool whole = false;
    const std::string log = ReadFile(LogPath());
    const auto entries = Entries(log, whole);
    EXPECT_TRUE(whole) << "text before the first entry";
    for (const std::string& entry : entries) {
        // Each entry ends with its closing line and, but for the last, the
        // empty line that keeps it apart from the next.
        const bool last = &entry == &entries.back();
        const std::string end = std::string(kEntryEnd) + (last ? "" : "\r\n");
        ASSERT_GE(entry.size(), end.size());
        EXPECT_EQ(entry.substr(entry.size() - end.size()), end) << "entry cut short:\n" << entry;
        const auto at = entry.find("Description     :");
        ASSERT_NE(at, std::string::npos) << entry;
        const std::string key = entry.substr(at + 17, entry.find("\r\n", at) - at - 17);
        ASSERT_TRUE(written.count(key)) << "entry not reported written: " << key;
        ++written[key];
    }
    for (const auto& [key, times] : written) EXPECT_EQ(times, 1) << key << " lost or doubled";
}

}  // namespace
}  // namespace errors
