// Faults that involve another process: a second program on the same port,
// a holder that dies without closing, a device the user may not open. The
// other program is this test binary run again with only the helper below
// selected, so both sides use the real component on a real terminal.
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>
#include "PtyPair.h"
#include "platform/serial/Serial.h"
#include "support/CaptureStderr.h"

namespace serial {
namespace {

using testing::PtyPair;
using testing::ScopedPortMap;

constexpr const char* kHelperPortVar = "COMTEST_HELPER_PORT";
constexpr const char* kHelperHoldVar = "COMTEST_HELPER_HOLD";
constexpr uid_t kNobody = 65534;

// The helper: opens the port named by COMTEST_HELPER_PORT (the device comes
// from the port map's environment variable), prints one line "helper: open"
// or "helper: refused: REASON" and, with COMTEST_HELPER_HOLD set, keeps the
// port until its standard input closes. Disabled: it runs only when a test
// below starts it.
TEST(SerialFaultHelper, DISABLED_OpenPort) {
    const char* name = std::getenv(kHelperPortVar);
    if (name == nullptr) GTEST_SKIP() << "started by the fault tests only";
    Serial port(0);
    const bool opened = port.Open(name);
    if (opened)
        std::printf("helper: open\n");
    else
        std::printf("helper: refused: %s\n", port.ErrorDesc().c_str());
    std::fflush(stdout);
    if (opened && std::getenv(kHelperHoldVar) != nullptr) {
        char c;
        while (::read(STDIN_FILENO, &c, 1) > 0) {
        }
    }
}

// A second program using the component, started on `port` mapped to
// `device`.
class Helper {
  public:
    Helper(const std::string& port, const std::string& device, bool hold, bool asNobody = false) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(kHelperPortVar, QString::fromStdString(port));
        env.insert(QString::fromStdString("COMTEST_" + Upper(port)),
                   QString::fromStdString(device));
        if (hold) env.insert(kHelperHoldVar, "1");
        // The child's own leak check has nothing to do with the fault.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (asNobody) {
            process_.setChildProcessModifier([] {
                // Drop to an unprivileged user between fork and exec; the
                // exec fails loudly if the drop did not happen.
                const gid_t group = kNobody;
                if (::setgroups(1, &group) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                    ::_exit(97);
            });
        }
        process_.start(QCoreApplication::applicationFilePath(),
                       {"--gtest_filter=SerialFaultHelper.DISABLED_OpenPort",
                        "--gtest_also_run_disabled_tests"});
    }
    ~Helper() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // The helper's verdict line, or empty when none came in time.
    std::string Verdict() {
        while (true) {
            const QByteArray out = process_.readAll();
            output_ += out.toStdString();
            const auto at = output_.find("helper: ");
            if (at != std::string::npos) {
                const auto end = output_.find('\n', at);
                if (end != std::string::npos) return output_.substr(at, end - at);
            }
            if (!process_.waitForReadyRead(20000)) return {};
        }
    }
    // Ends a holding helper the way a crash would: no Close, no clean-up.
    void Kill() {
        ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
        process_.waitForFinished(5000);
    }
    // Lets a holding helper end normally.
    int Finish() {
        process_.closeWriteChannel();
        process_.waitForFinished(20000);
        return process_.exitCode();
    }

  private:
    static std::string Upper(std::string text) {
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    }

    QProcess process_;
    std::string output_;
};

TEST(SerialFaultTest, SecondProgramOnTheSamePortIsRefusedWhileTheFirstHoldsIt) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map("Com5", pty.Path());

    // This program holds the port: the other one is refused and says why.
    {
        Serial held(0);
        ASSERT_TRUE(held.Open("Com5"));
        Helper other("Com5", pty.Path(), false);
        const std::string verdict = other.Verdict();
        EXPECT_NE(verdict.find("refused"), std::string::npos) << verdict;
        EXPECT_NE(verdict.find("in use"), std::string::npos) << verdict;
        held.Write("still mine");
        EXPECT_EQ(pty.Receive(10), "still mine");
    }

    // The other program holds it: this one is refused until it ends.
    Helper other("Com5", pty.Path(), true);
    ASSERT_EQ(other.Verdict(), "helper: open");
    Serial port(0);
    testsupport::StderrCapture capture;
    EXPECT_FALSE(port.Open("Com5"));
    const std::string err = capture.Take();
    EXPECT_NE(err.find("in use"), std::string::npos) << err;
    EXPECT_EQ(other.Finish(), 0);
    EXPECT_TRUE(port.Open("Com5")) << port.ErrorDesc();
}

TEST(SerialFaultTest, PortOfAKilledHolderIsFreeAgain) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map("Com5", pty.Path());
    Helper holder("Com5", pty.Path(), true);
    ASSERT_EQ(holder.Verdict(), "helper: open");
    Serial port(0);
    testsupport::CaptureStderr([&] { EXPECT_FALSE(port.Open("Com5")); });

    holder.Kill();
    ASSERT_TRUE(port.Open("Com5")) << port.ErrorDesc();
    port.Write("free");
    EXPECT_EQ(pty.Receive(4), "free");
}

TEST(SerialFaultTest, DeviceWithoutPermissionIsRefusedForAnOrdinaryUser) {
    // Root opens any device, so the attempt runs as an unprivileged user in a
    // second process; the same device opened with permission is the control.
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to start a process as another user";
    // The binary must be reachable by that user.
    if (::access(QCoreApplication::applicationFilePath().toLocal8Bit().constData(), X_OK) != 0)
        GTEST_SKIP() << "the test binary is not executable";

    // The control: with permission the unprivileged helper opens the
    // device. Without a verdict here the user cannot run the binary at all.
    {
        PtyPair pty;
        ASSERT_TRUE(pty.Ok());
        ASSERT_EQ(::chmod(pty.Path().c_str(), 0666), 0);
        Helper user("Com5", pty.Path(), false, true);
        const std::string verdict = user.Verdict();
        if (verdict.empty()) GTEST_SKIP() << "an unprivileged user cannot run the test binary here";
        ASSERT_EQ(verdict, "helper: open");
    }
    for (const mode_t mode : {0600, 0640, 0000}) {
        SCOPED_TRACE(mode);
        PtyPair pty;
        ASSERT_TRUE(pty.Ok());
        ASSERT_EQ(::chmod(pty.Path().c_str(), mode), 0);
        Helper user("Com5", pty.Path(), false, true);
        const std::string verdict = user.Verdict();
        EXPECT_NE(verdict.find("refused"), std::string::npos) << verdict;
        EXPECT_NE(verdict.find("permission denied"), std::string::npos) << verdict;
    }
}

}  // namespace
}  // namespace serial
