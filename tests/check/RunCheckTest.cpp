#include "check/RunCheck.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "DeviceTree.h"
#include "PtyPair.h"
#include "check/CheckTexts.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"

namespace check {
namespace {

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
    // A map that knows the machine's devices (here none) numbers ports by
    // them, so an unknown number is no device of this machine.
    serial::testing::DeviceTree tree;
    QTemporaryDir store;
    ASSERT_TRUE(tree.Ok() && store.isValid());
    const auto devices = std::make_shared<serial::DeviceMonitor>(
        tree.Root(), store.filePath("registry.ini").toStdString());
    serial::testing::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    struct Case {
        std::string port;
        std::optional<std::string> to;
        bool knowsDevices;
        std::string reason;
    };
    const Case cases[] = {
        {"Com1", std::nullopt, false, "Com1: No such file or directory"},
        {"Com2", "com2", false, "--to names the port being checked"},
        {"Com4", "Com5", false, "--to names the port being checked, or its device"},
        {"Com2", "Com1", false, "Com1: No such file or directory"},
        {"Nowhere", std::nullopt, false, "Nowhere: the name maps to no device"},
        {"Com3", std::nullopt, true, "Com3: no serial device has this number"},
    };
    for (const auto& c : cases) {
        serial::PortMap map([](const std::string&) { return std::optional<std::string>(); });
        ASSERT_TRUE(map.AddMapping("Com1=/nonexistent/tty"));
        ASSERT_TRUE(map.AddMapping("Com2=loop"));
        ASSERT_TRUE(map.AddMapping("Com4=" + pty.Path()));
        ASSERT_TRUE(map.AddMapping("Com5=" + pty.Path()));
        if (c.knowsDevices) map.SetDevices(devices);
        serial::PortMap::Install(std::move(map));
        CheckOptions options;
        options.port = c.port;
        options.to = c.to;
        const auto run = RunWith(options);
        serial::PortMap::Install(serial::PortMap());
        EXPECT_EQ(run.code, kExitUsage) << c.reason;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(RunCheckTest, AStopSignalSetsThePortBackAndReportsTheSettingsFinished) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        serial::testing::PtyPair far;
        ASSERT_TRUE(far.Ok());
        serial::testing::ScopedPortMap map("Com1", far.Path());
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
