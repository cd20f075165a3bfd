// Runs the built program and ends it during a run: by a signal, or by its X
// server going away. The port under test is set back whatever the end.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "DeviceTree.h"
#include "PtyPair.h"

namespace app {
namespace {

// The environment of a headless run in `dir`, with `probe` loaded.
QProcessEnvironment Headless(const QTemporaryDir& dir, const char* probe) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("COMTEST_REGISTRY", dir.filePath("registry.ini"));
    if (probe != nullptr) {
        env.insert("LD_PRELOAD", probe);
        // A sanitized build wants its runtime first among the preloaded libraries.
        const QString asan = env.value("ASAN_OPTIONS");
        env.insert("ASAN_OPTIONS", (asan.isEmpty() ? "" : asan + ":") + "verify_asan_link_order=0");
    }
    return env;
}

// Every signal at its default action and none blocked, whatever the runner
// left (a shell's background job ignores SIGINT); no core file.
void DefaultSignals(QProcess& process) {
    process.setChildProcessModifier([] {
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE})
            ::signal(s, SIG_DFL);
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
    });
}

// Sends `signal`; whether the process has ended by it within 3 s (it is
// killed otherwise).
bool EndsBy(QProcess& process, int signal) {
    ::kill(static_cast<pid_t>(process.processId()), signal);
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::CrashExit && process.exitCode() == signal;
}

// Starts the window in `process`, with `env` in `dir`, on the pseudo-terminal
// `pty`, whose settings it leaves in `before`, and waits until the probe's
// test runs: the device is then in raw mode at 9600 (the port is made raw on
// open and given its speed a moment later).
void StartTestOn(QProcess& process, const serial::testing::PtyPair& pty,
                 const QProcessEnvironment& env, const QTemporaryDir& dir, termios& before) {
    ASSERT_TRUE(pty.Ok());
    ASSERT_EQ(::tcgetattr(pty.Master(), &before), 0);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.start(COMTEST_PROGRAM, {"--port", QString::fromStdString("Com1=" + pty.Path())});
    termios during{};
    const auto running = [&] {
        return (during.c_lflag & ICANON) == 0 && cfgetospeed(&during) == B9600;
    };
    for (int i = 0; i < 1500 && !running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_EQ(::tcgetattr(pty.Master(), &during), 0);
    }
    EXPECT_EQ(during.c_lflag & ICANON, 0u) << "no test started";
    EXPECT_EQ(cfgetospeed(&during), B9600);
}

// The port's settings on `pty` are what they were before the program.
void ExpectSetBack(const serial::testing::PtyPair& pty, const termios& before) {
    termios after{};
    ASSERT_EQ(::tcgetattr(pty.Master(), &after), 0);
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
    EXPECT_EQ(cfgetispeed(&after), cfgetispeed(&before));
    EXPECT_EQ(after.c_lflag & (ICANON | ECHO), before.c_lflag & (ICANON | ECHO));
}

// Whether KXERROR.LOG in `dir` comes to hold `text` within 20 s: the
// program has reached the report it then shows.
bool Logged(const QTemporaryDir& dir, const char* text) {
    for (int i = 0; i < 400; ++i) {
        QFile log(dir.filePath("KXERROR.LOG"));
        if (log.open(QIODevice::ReadOnly) && log.readAll().contains(text)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

struct StopSignal {
    int signal;
    std::string name;
};
const StopSignal kStopSignals[] = {{SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}, {SIGINT, "SIGINT"}};

// The window on a pseudo-terminal made here; a probe presses "Начать тест".
// A stop signal during the test closes the port, which sets the device back,
// and ends the process by that signal with one line saying so. With the GUI
// thread stuck the signals' own thread puts the port's settings back; the
// other signals whose default ends the process do that too, silently.
TEST(ProgramExitTest, ASignalDuringATestSetsThePortBackAndEndsByIt) {
    struct Case {
        int signal;
        bool stall;        // the GUI thread stops once the test runs
        std::string line;  // the program's one line; empty: none
    };
    std::vector<Case> cases;
    for (const auto& [signal, name] : kStopSignals) {
        cases.push_back({signal, false, "comtest: stopped by " + name + "; the port was closed\n"});
        cases.push_back(
            {signal, true, "comtest: stopped by " + name + "; the port was set back\n"});
    }
    for (const int signal : {SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE})
        cases.push_back({signal, false, ""});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(::strsignal(c.signal)) + (c.stall ? ", stuck" : ""));
        serial::testing::PtyPair pty;
        QTemporaryDir dir;
        auto env = Headless(dir, COMTEST_PRESS_BEGIN);
        if (c.stall) env.insert("COMTEST_PROBE_STALL", "1");
        QProcess process;
        DefaultSignals(process);
        termios before{};
        ASSERT_NO_FATAL_FAILURE(StartTestOn(process, pty, env, dir, before));
        if (c.stall) std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_TRUE(EndsBy(process, c.signal));
        // The program's one line comes last, after the toolkit's notices.
        const std::string errors = process.readAllStandardError().toStdString();
        if (c.line.empty()) {
            EXPECT_EQ(errors.find("comtest:"), std::string::npos) << errors;
        } else {
            EXPECT_TRUE(errors.ends_with(c.line)) << errors;
            EXPECT_EQ(errors.find("comtest:"), errors.size() - c.line.size()) << errors;
        }
        ExpectSetBack(pty, before);
    }
}

// The X server going away during a test: the toolkit ends the process on
// its own (exit), and the port's settings are put back all the same.
TEST(ProgramExitTest, TheXServerGoingAwayDuringATestSetsThePortBack) {
    if (QStandardPaths::findExecutable("Xvfb").isEmpty())
        GTEST_SKIP() << "no X server to stop here: install xvfb (scripts/setup.sh does)";
    // Xvfb picks a free display and writes its number on the pipe.
    int numberPipe[2];
    ASSERT_EQ(::pipe(numberPipe), 0);
    QProcess server;
    server.setStandardOutputFile(QProcess::nullDevice());
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start("Xvfb", {"-displayfd", QString::number(numberPipe[1]), "-nolisten", "tcp"});
    ::close(numberPipe[1]);
    std::string number;
    char c = 0;
    while (::read(numberPipe[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(numberPipe[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";

    serial::testing::PtyPair pty;
    QTemporaryDir dir;
    auto env = Headless(dir, COMTEST_PRESS_BEGIN);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", QString::fromStdString(":" + number));
    env.remove("WAYLAND_DISPLAY");
    QProcess process;
    termios before{};
    ASSERT_NO_FATAL_FAILURE(StartTestOn(process, pty, env, dir, before));
    server.terminate();
    server.waitForFinished();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "the program did not end with its X server";
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_NE(process.readAllStandardError().indexOf("X11 connection broke"), -1);
    ExpectSetBack(pty, before);
}

// Where no event loop watches the stop signals, or the GUI thread waits in a
// read or an open, a stop signal still ends the program within the grace its
// own end has, by that signal, with one line saying so.
TEST(ProgramExitTest, AStopSignalEndsTheProgramWhereNoTestRuns) {
    // A file read at start that is a FIFO: the settings file with a writer
    // that never writes, KXERROR.LOG with no reader, a device attribute with
    // no writer.
    enum class Fifo { None, Settings, Log, Attribute };
    struct Situation {
        const char* what;
        QStringList args;
        const char* probe;
        Fifo fifo;
        const char* reported;  // what KXERROR.LOG says of the report shown; null: not read
    };
    const Situation situations[] = {
        {"the report of a failed start",
         {},
         COMTEST_HIDE_IMAGE_PLUGINS,
         Fifo::None,
         "icon resource unreadable"},
        {"the same, the error log a FIFO", {}, COMTEST_HIDE_IMAGE_PLUGINS, Fifo::Log, nullptr},
        {"the report of an exception thrown as the window shows",
         {},
         COMTEST_THROW_WHEN_SHOWN,
         Fifo::None,
         "thrown when the window showed"},
        {"the window reading its settings", {}, nullptr, Fifo::Settings, nullptr},
        {"--list-ports reading its settings", {"--list-ports"}, nullptr, Fifo::Settings, nullptr},
        {"--list-ports reading a device attribute",
         {"--list-ports"},
         nullptr,
         Fifo::Attribute,
         nullptr},
    };
    for (const auto& s : situations) {
        for (const auto& [signal, name] : kStopSignals) {
            SCOPED_TRACE(std::string(s.what) + ", " + name);
            QTemporaryDir dir;
            auto env = Headless(dir, s.probe);
            serial::testing::DeviceTree tree;
            if (s.fifo == Fifo::Attribute) {
                // A built-in UART whose type the scan reads: opening it waits for a writer.
                tree.AddUart("ttyS0");
                const std::string type =
                    tree.Root() + "/sys/devices/platform/serial8250/ttyS0/tty/ttyS0/type";
                ASSERT_EQ(::unlink(type.c_str()), 0);
                ASSERT_EQ(::mkfifo(type.c_str(), 0600), 0);
                env.insert("COMTEST_DEVICE_ROOT", QString::fromStdString(tree.Root()));
            }
            int writer = -1;
            if (s.fifo == Fifo::Settings) {
                const QString fifo = dir.filePath("settings.fifo");
                ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
                writer = ::open(fifo.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK);
                env.insert("COMTEST_REGISTRY", fifo);
            }
            if (s.fifo == Fifo::Log) {
                ASSERT_EQ(::mkfifo(dir.filePath("KXERROR.LOG").toLocal8Bit().constData(), 0600), 0);
            }
            QProcess process;
            process.setProcessEnvironment(env);
            process.setWorkingDirectory(dir.path());
            DefaultSignals(process);
            process.start(COMTEST_PROGRAM, s.args);
            ASSERT_TRUE(process.waitForStarted());
            if (s.reported != nullptr) {
                EXPECT_TRUE(Logged(dir, s.reported)) << "no report was made";
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            EXPECT_TRUE(EndsBy(process, signal));
            if (writer >= 0) ::close(writer);
            const std::string errors = process.readAllStandardError().toStdString();
            EXPECT_TRUE(errors.ends_with("comtest: stopped by " + name + "\n")) << errors;
        }
    }
}

}  // namespace
}  // namespace app
