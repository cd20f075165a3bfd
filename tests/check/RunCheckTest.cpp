#include "check/RunCheck.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>

#include "PtyPair.h"
#include "check/CheckTexts.h"

namespace check {
namespace {

using serial::testing::ScopedPortMap;

std::string Contents(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, f)) text.append(buffer, n);
    return text;
}

struct Run {
    int code;
    std::string out;
    std::string err;
};

Run RunWith(const CheckOptions& options) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Run r{RunCheck(options, {}, out, err), Contents(out), Contents(err)};
    std::fclose(out);
    std::fclose(err);
    return r;
}

TEST(RunCheckTest, PortsThatCannotBeCheckedEndWith255AndTheReason) {
    serial::testing::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map(std::vector<std::pair<std::string, std::string>>{{"Com1", "/nonexistent/tty"},
                                                                       {"Com2", "loop"},
                                                                       {"Com3", pty.Path()},
                                                                       {"Com4", pty.Path()}});
    struct Case {
        std::string port;
        std::optional<std::string> to;
        std::string reason;
    };
    const Case cases[] = {
        {"Com1", std::nullopt, "Com1: No such file or directory"},
        {"Com2", "com2", "--to names the port being checked"},
        {"Com3", "Com4", "--to names the port being checked, or its device"},
        {"Com2", "Com1", "Com1: No such file or directory"},
        {"Nowhere", std::nullopt, "Nowhere: the name maps to no device"},
    };
    for (const auto& c : cases) {
        CheckOptions options;
        options.port = c.port;
        options.to = c.to;
        const auto run = RunWith(options);
        EXPECT_EQ(run.code, kExitUsage) << c.reason;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(RunCheckTest, AStopSignalSetsThePortBackAndReportsTheSettingsFinished) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        serial::testing::PtyPair far;
        ASSERT_TRUE(far.Ok());
        ScopedPortMap map("Com1", far.Path());
        termios before{};
        ASSERT_EQ(::tcgetattr(far.Master(), &before), 0);
        std::FILE* out = std::tmpfile();
        // The far end never answers: the first setting fails at its timeout,
        // the second waits some twenty seconds for its 64 bytes at 50 baud.
        const pid_t child = ::fork();
        if (child == 0) {
            ::signal(signal, SIG_DFL);
            CheckOptions options;
            options.port = "Com1";
            options.bauds = {230400, 50};
            options.bytes = 64;
            ::_exit(RunCheck(options, {}, out, stderr));
        }
        ASSERT_GT(child, 0);
        EXPECT_EQ(far.Receive(128, std::chrono::seconds(10)).size(), 128u);
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;

        termios after{};
        ASSERT_EQ(::tcgetattr(far.Master(), &after), 0);
        EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before)) << signal;
        const std::string table = Contents(out);
        std::fclose(out);
        EXPECT_NE(table.find("Com1  230400 8N1"), std::string::npos) << table;
        EXPECT_EQ(table.find("Com1  50 8N1"), std::string::npos) << table;
        EXPECT_NE(table.find(texts::kSummaryInterrupted), std::string::npos) << table;
    }
}

}  // namespace
}  // namespace check
