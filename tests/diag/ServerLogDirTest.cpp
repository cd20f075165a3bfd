#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <optional>

#include "DiagTestSupport.h"
#include "diag/ServerLogDir.h"
#include "platform/os/RegistryStore.h"

namespace diag {
namespace {

using testing::Native;
using testing::ScopedEnv;

constexpr const char* kKeySection =
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\W3SVC\\Parameters]\n";

class ServerLogDirTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string StorePath() const { return dir_.filePath("registry.ini").toStdString(); }
    void WriteStore(const std::string& text) const {
        std::ofstream(StorePath(), std::ios::binary | std::ios::trunc) << text;
    }

    QTemporaryDir dir_;
};

TEST_F(ServerLogDirTest, RegistryValueSystemRootAndSystemFolder) {
    const std::string longText(300, 'v');
    struct Case {
        const char* name;
        std::optional<std::string> value;  // nothing: the value is missing
        const char* systemRoot;            // nullptr: unset
        const char* systemDir;
        std::string expected;
    };
    const Case cases[] = {
        {"placeholder", "%SystemRoot%/System32/LogFiles", "/sys/WINDOWS", "/sys/system32",
         Native("/sys/WINDOWS/System32/LogFiles")},
        {"placeholder in other case", "%SYSTEMroot%/LogFiles", "/sys/WINDOWS", "/sys/system32",
         Native("/sys/WINDOWS/LogFiles")},
        {"text before placeholder dropped", "x%systemroot%/y", "/sys/WINDOWS", "/sys/system32",
         Native("/sys/WINDOWS/y")},
        {"plain folder", "/www/logs", "/sys/WINDOWS", "/sys/system32", "/www/logs"},
        {"value missing", std::nullopt, "/sys/WINDOWS", "/sys/system32",
         Native("/sys/system32/LogFiles")},
        {"value empty", std::string(), "/sys/WINDOWS", "/sys/system32",
         Native("/sys/system32/LogFiles")},
        {"SystemRoot unset", "%SystemRoot%/System32/LogFiles", nullptr, "/sys/system32",
         Native("c://winnt/System32/LogFiles")},
        {"SystemRoot too long", "%SystemRoot%", longText.c_str(), "/sys/system32",
         Native("c://winnt")},
        {"value too long for the buffer", longText, "/sys/WINDOWS", "/sys/system32",
         Native("/sys/system32/LogFiles")},
        {"system folder too long", std::nullopt, "/sys/WINDOWS", longText.c_str(), ""},
        {"value cut at a zero byte", std::string("/www\0/x", 7), "/sys/WINDOWS", "/sys/system32",
         "/www"},
    };
    for (const auto& c : cases) {
        WriteStore(std::string(kKeySection) + (c.value ? "LogFileDirectory=" + *c.value : "") +
                   "\n");
        const ScopedEnv store("COMTEST_REGISTRY", StorePath().c_str());
        const ScopedEnv root("SystemRoot", c.systemRoot);
        const ScopedEnv system("COMTEST_SYSTEM_DIR", c.systemDir);
        EXPECT_EQ(ServerLogDir(), c.expected) << c.name;
    }
}

TEST_F(ServerLogDirTest, MissingKeyIsAddedAndFallsBackToTheSystemFolder) {
    WriteStore("[Other]\nLogFileDirectory=/elsewhere\n");
    const ScopedEnv store("COMTEST_REGISTRY", StorePath().c_str());
    const ScopedEnv system("COMTEST_SYSTEM_DIR", "/sys/system32");
    EXPECT_EQ(ServerLogDir(), Native("/sys/system32/LogFiles"));
    EXPECT_TRUE(os::RegistryStore(StorePath())
                    .HasKey("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\W3SVC\\"
                            "Parameters"));
}

TEST_F(ServerLogDirTest, KeyPastTheFirstMebibyteIsFoundAndTheStoreNeverGrows) {
    const std::string filler(3 << 19, '\n');
    WriteStore(filler + kKeySection + "LogFileDirectory=/www/logs\n");
    const ScopedEnv store("COMTEST_REGISTRY", StorePath().c_str());
    const auto size = std::filesystem::file_size(StorePath());
    for (int call = 0; call < 3; ++call) EXPECT_EQ(ServerLogDir(), Native("/www/logs")) << call;
    EXPECT_EQ(std::filesystem::file_size(StorePath()), size);
}

TEST_F(ServerLogDirTest, UnopenableKeyGivesAnEmptyFolder) {
    WriteStore("a file, not a folder");
    const std::string below = StorePath() + "/registry.ini";
    const ScopedEnv store("COMTEST_REGISTRY", below.c_str());
    const ScopedEnv system("COMTEST_SYSTEM_DIR", "/sys/system32");
    EXPECT_EQ(ServerLogDir(), "");
}

}  // namespace
}  // namespace diag
