#include "platform/os/Process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace os {
namespace {

TEST(ProcessTest, CommandLineQuotesWhatTheSplittingWouldBreak) {
    struct Case {
        std::vector<const char*> args;
        std::string line;
    };
    const Case cases[] = {
        {{"comtest"}, "comtest"},
        {{"comtest", "--port", "Com1=loop"}, "comtest --port Com1=loop"},
        {{"/opt/my apps/comtest", "a b"}, "\"/opt/my apps/comtest\" \"a b\""},
        {{"p", ""}, "p \"\""},
        {{"p", "say \"hi\""}, "p \"say \\\"hi\\\"\""},
        {{"p", "dir\\ x\\"}, "p \"dir\\ x\\\\\""},
        {{"p", "a\\b"}, "p a\\b"},
        {{"p", "tab\there"}, "p \"tab\there\""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JoinCommandLine(static_cast<int>(c.args.size()), c.args.data()), c.line);
    }
}

TEST(ProcessTest, GetCommandLineAnswersTheArgumentsHandedOver) {
    const char* argv[] = {"comtest", "--collect-publics"};
    SetProcessArguments(2, argv);
    EXPECT_STREQ(GetCommandLineA(), "comtest --collect-publics");
}

TEST(ProcessTest, ModuleFileNameIsThisProgramTruncatedSafely) {
    char path[kMaxPath];
    const DWORD length = GetModuleFileNameA(0, path, kMaxPath);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, kMaxPath);
    EXPECT_EQ(std::string(path).size(), length);
    EXPECT_NE(std::string(path).find("os_test"), std::string::npos) << path;

    char small[5] = "????";
    EXPECT_EQ(GetModuleFileNameA(0, small, 5), 5u) << "truncated: the buffer size";
    EXPECT_EQ(std::string(small), std::string(path, 4)) << "always zero-terminated";
    EXPECT_EQ(GetModuleFileNameA(0x1234, path, kMaxPath), 0u) << "another module";
    EXPECT_EQ(GetModuleFileNameA(0, path, 0), 0u);
}

TEST(ProcessTest, SetHandleCountRaisesTheSoftLimit) {
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    const rlimit saved = limit;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < 255) GTEST_SKIP() << "hard limit";
    limit.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &limit), 0);
    EXPECT_EQ(SetHandleCount(255), 255u);
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    EXPECT_EQ(limit.rlim_cur, 255u);
    EXPECT_EQ(SetHandleCount(100), 255u) << "never lowered";
    ::setrlimit(RLIMIT_NOFILE, &saved);
}

TEST(ProcessTest, ExitProcessEndsWithTheLowByteOfTheCode) {
    for (UINT code : {0u, 3u, 0xFFFFFFFFu}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) ExitProcess(code);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(code & 0xFF));
    }
}

}  // namespace
}  // namespace os
