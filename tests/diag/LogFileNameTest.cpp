#include <gtest/gtest.h>

#include "DiagTestSupport.h"
#include "diag/LogFileName.h"
#include "diag/PathSupport.h"

namespace diag {
namespace {

using testing::Native;

TEST(LogFileNameTest, NameFollowsRequestProgramAndServerLog) {
    struct Case {
        const char* program;
        rt::Usual requested;
        bool serverLog;
        const char* expected;
    };
    const Case cases[] = {
        {"/tools/Serial.exe", rt::NIL, false, "/tools/Serial.log"},
        {"/tools/Serial.exe", "trace.txt", false, "/tools/trace.log"},
        {"/tools/Serial.exe", "trace", false, "/tools/trace.log"},
        {"/tools/Serial.exe", "/x/trace", false, "/x/trace.log"},
        {"/tools/Serial.exe", "/x/trace.old.txt", false, "/x/trace.old.log"},
        {"/tools/Serial.exe", std::int32_t{5}, false, "/tools/Serial.log"},
        {"/tools/Serial.exe", "", false, "/tools/Serial.log"},
        {"/opt/bin/comtest", rt::NIL, false, "/opt/bin/comtest.log"},
        // The last "." counts wherever it stands, also in a folder name.
        {"/tools/Serial.exe", "/my.dir/trace", false, "/my.log"},
        {"/home/u/.local/bin/comtest", rt::NIL, false, "/home/u/.log"},
        // Server log: the name from its separator on, in the server's folder.
        {"/tools/Serial.exe", rt::NIL, true, "/srv/logs/Serial.log"},
        {"/tools/Serial.exe", "trace.txt", true, "/srv/logs/trace.log"},
        {"/tools/Serial.exe", "/my.dir/trace", true, "/srv/logs/trace.log"},
        {"/tools/Serial.exe", "/x/trace", true, "/srv/logs/trace.log"},
        {"/home/u/.local/bin/comtest", rt::NIL, true, "/srv/logs/comtest.log"},
    };
    for (const auto& c : cases) {
        const std::string name = ChooseLogFileName(Native(c.program), c.requested, c.serverLog,
                                                   [] { return Native("/srv/logs"); });
        EXPECT_EQ(name, Native(c.expected)) << c.program << " " << c.expected;
    }
}

TEST(LogFileNameTest, ServerFolderIsAskedOnlyForAServerLog) {
    int asked = 0;
    const auto folder = [&] {
        ++asked;
        return std::string();
    };
    EXPECT_EQ(ChooseLogFileName(Native("/tools/Serial.exe"), rt::NIL, false, folder),
              Native("/tools/Serial.log"));
    EXPECT_EQ(asked, 0);
    // An unreadable server folder leaves the name at the root.
    EXPECT_EQ(ChooseLogFileName(Native("/tools/Serial.exe"), rt::NIL, true, folder),
              Native("/Serial.log"));
    EXPECT_EQ(asked, 1);
}

TEST(LogFileNameTest, BackupReplacesTheTextAfterTheLastDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"/tools/Serial.log", "/tools/Serial.bak"},
        {"/a.b/log", "/a.bak"},
        {"/tools/noext", "/tools/noext.bak"},
        {"x.", "x.bak"},
    };
    for (const auto& [log, backup] : cases)
        EXPECT_EQ(DeriveBackupName(Native(log)), Native(backup)) << log;
}

TEST(LogFileNameTest, PathPartKeepsTheClosingSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"/tools/Serial.exe", "/tools/"},
        {"/Serial.exe", "/"},
        {"Serial.exe", "Serial.exe"},
        {"", ""},
        {"/a/b/", "/a/b/"},
    };
    for (const auto& [path, part] : cases) EXPECT_EQ(PathPart(Native(path)), Native(part)) << path;
}

}  // namespace
}  // namespace diag
