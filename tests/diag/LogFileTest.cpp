#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

#include "DiagTestSupport.h"
#include "diag/LogFile.h"
#include "diag/LogFileName.h"
#include "diag/PathSupport.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/Files.h"
#include "support/CaptureStderr.h"

namespace diag {
namespace {

using testing::Native;
using testing::ReadFile;
using testing::ScopedEnv;
using testing::WriteFile;

class LogFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string Path(const std::string& name) const {
        return QDir::toNativeSeparators(dir_.filePath(QString::fromStdString(name))).toStdString();
    }

    QTemporaryDir dir_;
};

TEST_F(LogFileTest, WithoutArgumentsTheLogIsBesideTheProgram) {
    const std::string program = rt::ExecName();
    ASSERT_FALSE(program.empty());
    LogFile log;
    EXPECT_EQ(log.ServerPath(), PathPart(program));
    EXPECT_EQ(log.ServerPath().back(), kPathSep);
    EXPECT_EQ(log.FName(), ChooseLogFileName(program, rt::NIL, false, {}));
    EXPECT_TRUE(log.Append());
    EXPECT_TRUE(log.Log2File());
    EXPECT_EQ(log.BackupName(), "");
    EXPECT_TRUE(rt::File(log.FName()));
    std::remove(log.FName().c_str());

    EXPECT_EQ(ProgramFileName(true), program);
    const std::string name = ProgramFileName(false);
    EXPECT_EQ(name.find(kPathSep), std::string::npos);
    EXPECT_EQ(log.ServerPath() + name, program);

    LogFile bare("trace.txt", std::int32_t{1}, "not a logical");
    EXPECT_EQ(bare.FName(), bare.ServerPath() + "trace.log");
    EXPECT_TRUE(bare.Append());
    std::remove(bare.FName().c_str());
}

TEST_F(LogFileTest, NewLogStartsEmptyAndExistingLogIsContinued) {
    LogFile fresh(Path("fresh.txt"));
    EXPECT_EQ(fresh.FName(), Path("fresh.log"));
    EXPECT_TRUE(fresh.Log2File());
    EXPECT_TRUE(rt::File(Path("fresh.log")));
    EXPECT_EQ(ReadFile(Path("fresh.log")), "");

    WriteFile(Path("old.log"), "old\r\n");
    LogFile continued(Path("old.log"), false, true);
    EXPECT_TRUE(continued.Log2File());
    EXPECT_EQ(ReadFile(Path("old.log")), "old\r\n");
    EXPECT_FALSE(rt::File(Path("old.bak")));
}

TEST_F(LogFileTest, AppendFalseBacksUpTheOldLogAndStartsAfresh) {
    struct Case {
        const char* name;
        std::string presetBackup;  // empty: derived from the log name
        std::string expectedBackup;
    };
    const Case cases[] = {
        {"derived", "", Path("Serial.bak")},
        {"preset", Path("saved.old"), Path("saved.old")},
    };
    for (const auto& c : cases) {
        WriteFile(Path("Serial.log"), "old line\r\n");
        WriteFile(Path("Serial.bak"), "an older backup\r\n");
        LogFile log(Path("Serial.log"));
        if (!c.presetBackup.empty()) log.SetBackupName(c.presetBackup);
        log.Init(Path("Serial.log"), rt::NIL, false);
        EXPECT_FALSE(log.Append()) << c.name;
        EXPECT_TRUE(log.Log2File()) << c.name;
        EXPECT_EQ(log.BackupName(), c.expectedBackup) << c.name;
        EXPECT_EQ(ReadFile(c.expectedBackup), "old line\r\n") << c.name;
        EXPECT_EQ(ReadFile(Path("Serial.log")), "") << c.name;
    }
    EXPECT_EQ(ReadFile(Path("Serial.bak")), "an older backup\r\n");
}

TEST_F(LogFileTest, FailedBackupKeepsTheOldLog) {
    WriteFile(Path("Serial.log"), "precious\r\n");
    LogFile log(Path("Serial.log"));
    log.SetBackupName(Path("missing/Serial.bak"));
    log.Init(Path("Serial.log"), rt::NIL, false);
    EXPECT_TRUE(log.Log2File());
    EXPECT_EQ(ReadFile(Path("Serial.log")), "precious\r\n");
    EXPECT_TRUE(log.DebugMsg("next"));
    EXPECT_EQ(ReadFile(Path("Serial.log")), "precious\r\nnext\r\n");
}

TEST_F(LogFileTest, ServerLogGoesToTheRegisteredFolder) {
    const std::string store = Path("registry.ini");
    WriteFile(store,
              "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\W3SVC\\Parameters]\n"
              "LogFileDirectory=" +
                  Path("weblogs") + "\n");
    QDir(dir_.path()).mkdir("weblogs");
    const ScopedEnv registry("COMTEST_REGISTRY", store.c_str());
    LogFile log(Path("my.dir/trace"), true);
    EXPECT_EQ(log.FName(), Path("weblogs/trace.log"));
    EXPECT_TRUE(log.Log2File());
    EXPECT_TRUE(rt::File(Path("weblogs/trace.log")));
}

TEST_F(LogFileTest, DebugMsgAppendsExactlyOneLineToTheLog) {
    WriteFile(Path("Serial.log"), "first\r\n");
    LogFile log(Path("Serial.log"));
    const std::string debugOutput = testsupport::CaptureStderr([&] {
        EXPECT_TRUE(log.DebugMsg("second"));
        EXPECT_TRUE(log.DebugMsg(""));  // an empty line is still a line
    });
    EXPECT_EQ(debugOutput, "");
    EXPECT_EQ(ReadFile(Path("Serial.log")), "first\r\nsecond\r\n\r\n");
}

TEST_F(LogFileTest, Log2FileSwitchesBetweenFileAndDebugOutput) {
    LogFile log(Path("Serial.log"));
    EXPECT_FALSE(log.SetLog2File(false));
    std::string debugOutput = testsupport::CaptureStderr([&] {
        EXPECT_TRUE(log.DebugMsg("to the debugger"));
        EXPECT_FALSE(log.DebugMsg(""));
    });
    EXPECT_EQ(debugOutput, "to the debugger\n");
    EXPECT_EQ(ReadFile(Path("Serial.log")), "");

    EXPECT_TRUE(log.SetLog2File(true));
    debugOutput = testsupport::CaptureStderr([&] { EXPECT_TRUE(log.DebugMsg("to the file")); });
    EXPECT_EQ(debugOutput, "");
    EXPECT_EQ(ReadFile(Path("Serial.log")), "to the file\r\n");
}

TEST_F(LogFileTest, UnwritableFolderSendsMessagesToTheDebugOutput) {
    LogFile log(Path("missing/trace.log"));
    EXPECT_FALSE(log.Log2File());
    EXPECT_FALSE(rt::File(Path("missing/trace.log")));
    bool written = false;
    EXPECT_EQ(testsupport::CaptureStderr([&] { written = log.DebugMsg("hello"); }), "hello\n");
    EXPECT_TRUE(written);
}

TEST_F(LogFileTest, PropertyWritesTakeOnlyTheirType) {
    LogFile log(Path("Serial.log"));
    const std::string name = log.FName();

    EXPECT_EQ(log.SetFName(std::int32_t{5}), name);
    EXPECT_EQ(log.SetFName(true), name);
    EXPECT_EQ(log.FName(), name);
    EXPECT_EQ(log.SetFName(Path("other.log")), Path("other.log"));
    EXPECT_FALSE(rt::File(Path("other.log")));
    EXPECT_TRUE(rt::File(name));

    EXPECT_EQ(log.SetBackupName(rt::NIL), "");
    EXPECT_EQ(log.SetBackupName(Path("b.bak")), Path("b.bak"));
    EXPECT_FALSE(rt::File(Path("b.bak")));

    EXPECT_TRUE(log.SetAppend("no"));
    EXPECT_FALSE(log.SetAppend(false));
    EXPECT_FALSE(log.SetAppend(std::int32_t{1}));

    EXPECT_TRUE(log.SetLog2File(std::int32_t{0}));
    EXPECT_FALSE(log.SetLog2File(false));
    EXPECT_FALSE(log.SetLog2File(2.0));
}

TEST_F(LogFileTest, LogPathIsTheFolderWithoutItsSeparator) {
    LogFile log(Path("Serial.log"));
    EXPECT_EQ(log.LogPath(), QDir::toNativeSeparators(dir_.path()).toStdString());
    const std::pair<const char*, const char*> cases[] = {
        {"/tools/Serial.log", "/tools"},
        {"/Serial.log", ""},
        {"Serial.log", "Serial.log"},
        {"", ""},
    };
    for (const auto& [name, folder] : cases) {
        log.SetFName(Native(name));
        EXPECT_EQ(log.LogPath(), Native(folder)) << name;
    }
}

}  // namespace
}  // namespace diag
