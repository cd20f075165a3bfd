// Runs the built program for the exit codes of the process entry and for
// the ways its start can fail (its ends during a run: ProgramStopTest).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <string>

#include "PtyPair.h"
#include "app/Version.h"

namespace app {
namespace {

struct Outcome {
    QProcess::ExitStatus status;
    int code;
    std::string out;     // standard output
    std::string errors;  // standard error
};

Outcome RunProgram(const QStringList& args, const QProcessEnvironment& env,
                   const QString& workDir = QString(), const QString& outFile = QString(),
                   const QString& program = QStringLiteral(COMTEST_PROGRAM)) {
    QProcess process;
    if (!outFile.isEmpty()) process.setStandardOutputFile(outFile);
    process.setProcessEnvironment(env);
    if (!workDir.isEmpty()) process.setWorkingDirectory(workDir);
    process.start(program, args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "the program did not end";
    }
    return {process.exitStatus(), process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// No display platform at all: making the toolkit application fails.
QProcessEnvironment WithoutDisplay() {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "none-such");
    env.remove("KXCurrentPrjDir");
    return env;
}

TEST(ProgramExitTest, CollectionRunEndsWithZeroBeforeAnyWindow) {
    // The run ends before the rest of the command line is read, a wrong
    // option beside it included.
    for (const QStringList& args :
         {QStringList{"--collect-publics"}, QStringList{"--collect-publics", "--bogus"}}) {
        const Outcome collection = RunProgram(args, WithoutDisplay());
        EXPECT_EQ(collection.status, QProcess::NormalExit);
        EXPECT_EQ(collection.code, 0);
        EXPECT_EQ(collection.errors, "");
    }

    // The same program started for real gets as far as the window system.
    const Outcome ordinary = RunProgram({}, WithoutDisplay());
    EXPECT_FALSE(ordinary.status == QProcess::NormalExit && ordinary.code == 0)
        << "an ordinary run without a display cannot end normally";
}

// The program as on a desktop without the Wayland platform plugin: a copy
// in `dir` (made beside the program, so that a hard link does) with a
// qt.conf naming a plugin folder of the toolkit's installed plugins less the
// Wayland platforms. Empty when the copy cannot be made.
QString ProgramWithoutWaylandPlugin(const QTemporaryDir& dir) {
    const QDir installed(QLibraryInfo::path(QLibraryInfo::PluginsPath));
    const QDir plugins(dir.filePath("plugins"));
    if (!plugins.mkpath("platforms")) return QString();
    for (const QString& folder : installed.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder == QLatin1String("platforms")) continue;
        QFile::link(installed.filePath(folder), plugins.filePath(folder));
    }
    const QDir platforms(installed.filePath("platforms"));
    for (const QString& plugin : platforms.entryList(QDir::Files)) {
        if (plugin.startsWith(QLatin1String("libqwayland"))) continue;
        QFile::link(platforms.filePath(plugin), plugins.filePath("platforms/" + plugin));
    }
    const QString program = dir.filePath("comtest");
    if (::link(COMTEST_PROGRAM, program.toLocal8Bit().constData()) != 0 &&
        !QFile::copy(QStringLiteral(COMTEST_PROGRAM), program))
        return QString();
    QFile conf(dir.filePath("qt.conf"));
    if (!conf.open(QIODevice::WriteOnly)) return QString();
    conf.write("[Paths]\nPlugins=" + plugins.absolutePath().toUtf8() + "\n");
    return program;
}

TEST(ProgramExitTest, NoUsableDisplayIsOneLineOnStandardErrorAndMinusOne) {
    struct Case {
        const char* platform;  // QT_QPA_PLATFORM; empty: unset, the toolkit's default
        const char* display;   // DISPLAY; empty: unset
        const char* wayland;   // WAYLAND_DISPLAY; empty: unset
        std::string said;
        bool whole = true;             // else the line begins with it, Qt's own words following
        bool noWaylandPlugin = false;  // run as where qt6-wayland is not installed
    };
    // A Wayland display that does not answer, with the platform plugin there
    // or not, as this machine has it.
    const bool waylandPlugin = QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                                             QStringLiteral("/platforms/libqwayland-generic.so"));
    const Case cases[] = {
        {"", "", "", "no display, DISPLAY is not set"},
        {"none-such", "", "", "the display platform \"none-such\" is not installed"},
        {"xcb", ":97", "", "cannot connect to the display \":97\""},
        {"", "", "wayland-97",
         waylandPlugin ? "the Wayland compositor does not answer, WAYLAND_DISPLAY \"wayland-97\""
                       : "the Wayland platform plugin is not installed (package qt6-wayland)"},
        {"", "", "wayland-97", "the Wayland platform plugin is not installed (package qt6-wayland)",
         true, true},
        {"linuxfb", "", "", "the display platform \"linuxfb\" has no screen: ", false},
        {"eglfs", "", "", "the display platform \"eglfs\" could not be started: ", false},
    };
    // Without one, the Wayland client library says so on its own.
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    const QTemporaryDir copyDir(QFileInfo(COMTEST_PROGRAM).absolutePath() + "/no-wayland-XXXXXX");
    ASSERT_TRUE(copyDir.isValid());
    const QString withoutWayland = ProgramWithoutWaylandPlugin(copyDir);
    ASSERT_FALSE(withoutWayland.isEmpty()) << "no copy of the program without the Wayland plugin";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        auto env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) env.remove(name);
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        if (*c.platform) env.insert("QT_QPA_PLATFORM", c.platform);
        if (*c.display) env.insert("DISPLAY", c.display);
        if (*c.wayland) env.insert("WAYLAND_DISPLAY", c.wayland);
        const Outcome outcome = c.noWaylandPlugin
                                    ? RunProgram({}, env, QString(), QString(), withoutWayland)
                                    : RunProgram({}, env);
        EXPECT_EQ(outcome.status, QProcess::NormalExit);
        EXPECT_EQ(outcome.code, 255);
        const std::string line = "comtest: cannot start: " + c.said;
        if (c.whole) {
            EXPECT_EQ(outcome.errors, line + "\n");
        } else {
            EXPECT_TRUE(outcome.errors.starts_with(line)) << outcome.errors;
            EXPECT_GT(outcome.errors.size(), line.size() + 1) << outcome.errors;
            EXPECT_EQ(outcome.errors.find('\n'), outcome.errors.size() - 1) << outcome.errors;
        }
    }
}

TEST(ProgramExitTest, ExceptionNobodyCatchesAtStartIsReportedLoggedAndEndsWithItsCode) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LD_PRELOAD", COMTEST_THROWING_APPLICATION);
    // A sanitized build wants its runtime first among the preloaded libraries.
    const QString asan = env.value("ASAN_OPTIONS");
    env.insert("ASAN_OPTIONS", (asan.isEmpty() ? "" : asan + ":") + "verify_asan_link_order=0");
    // KXERROR.LOG a FIFO nobody reads: the entry is lost, and the report and
    // the end are not held up by it.
    for (const bool fifoLog : {false, true}) {
        SCOPED_TRACE(fifoLog ? "the error log a FIFO" : "the error log a file");
        QTemporaryDir workDir;
        ASSERT_TRUE(workDir.isValid());
        const QString logPath = workDir.filePath("KXERROR.LOG");
        if (fifoLog) {
            ASSERT_EQ(::mkfifo(logPath.toLocal8Bit().constData(), 0600), 0);
        }
        const Outcome outcome = RunProgram({}, env, workDir.path());
        EXPECT_EQ(outcome.status, QProcess::NormalExit);
        EXPECT_EQ(outcome.code, 51) << outcome.errors;
        // Before any window exists the report goes to standard error.
        EXPECT_NE(outcome.errors.find("Error Code:  51 [ UNHANDLED EXCEPTION ]"), std::string::npos)
            << outcome.errors;
        EXPECT_NE(outcome.errors.find("Description: toolkit refused to start"), std::string::npos);
        if (fifoLog) {
            struct stat info {};
            ASSERT_EQ(::stat(logPath.toLocal8Bit().constData(), &info), 0);
            EXPECT_TRUE(S_ISFIFO(info.st_mode));
            continue;
        }

        QFile log(logPath);
        ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << "no error log entry";
        const std::string entry = log.readAll().toStdString();
        EXPECT_NE(entry.find("Description     :toolkit refused to start\r\n"), std::string::npos)
            << entry;
        const std::string banner = "ERROR********";
        const auto first = entry.find(banner);
        EXPECT_NE(first, std::string::npos) << entry;
        EXPECT_EQ(entry.find(banner, first + 1), std::string::npos) << "one entry only: " << entry;
    }
}

TEST(ProgramExitTest, WrongCommandLineIsAStartFailureWithMinusOne) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const Outcome outcome = RunProgram({"--port"}, env);
    EXPECT_EQ(outcome.status, QProcess::NormalExit);
    EXPECT_EQ(outcome.code, 255);
}

// --help, --version and a wrong command line end before the toolkit
// application exists, so none of them needs a display.
TEST(ProgramExitTest, CommandLineRunsNeedNoDisplay) {
    serial::testing::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    struct Case {
        QStringList args;
        int code;
        std::string outStarts;  // standard output begins with it
        std::string errors;     // standard error, whole
        bool full = false;      // standard output is a full disk (/dev/full)
    };
    const std::string notWritten = "comtest: cannot write to standard output\n";
    const Case cases[] = {
        {{"--help"}, 0, "Usage: comtest [OPTION]...\n", ""},
        {{"--version"}, 0, std::string("comtest ") + kVersion + "\n", ""},
        {{"--bogus"}, 255, "", "comtest: unknown option 'bogus'; see comtest --help\n"},
        {{"--port", "Com1"},
         255,
         "",
         "comtest: bad --port value 'Com1': expected --port ComN=PATH (N from 1 to 255); "
         "see comtest --help\n"},
        // A line check writes its table, and no progress line when standard
        // error is no terminal.
        {{"--port", "Com1=loop", "--check", "Com1", "--baud", "9600"}, 0, "port  ", ""},
        // A pseudo-terminal takes no 7 data bits: nothing applied, nothing shown to work.
        {{"--port", QString::fromStdString("Com1=" + pty.Path()), "--check", "Com1", "--data-bits",
          "7"},
         1,
         "port  ",
         ""},
        {{"--port", "Com1=/nonexistent/tty", "--check", "Com1"},
         255,
         "",
         "comtest: cannot open Com1: No such file or directory\n"},
        // Output lost is no success, whatever the run found.
        {{"--help"}, 255, "", notWritten, true},
        {{"--version"}, 255, "", notWritten, true},
        {{"--list-ports", "--port", "Com1=loop"}, 255, "", notWritten, true},
        {{"--port", "Com1=loop", "--check", "Com1", "--baud", "9600"}, 255, "", notWritten, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome outcome =
            RunProgram(c.args, WithoutDisplay(), QString(), c.full ? "/dev/full" : QString());
        EXPECT_EQ(outcome.status, QProcess::NormalExit);
        EXPECT_EQ(outcome.code, c.code);
        EXPECT_EQ(outcome.out.substr(0, c.outStarts.size()), c.outStarts);
        if (c.outStarts.empty()) {
            EXPECT_EQ(outcome.out, "");
        }
        EXPECT_EQ(outcome.errors, c.errors);
    }
}

}  // namespace
}  // namespace app
