// Runs the built program for the exit codes of the process entry.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "app/Version.h"

namespace app {
namespace {

struct Outcome {
    QProcess::ExitStatus status;
    int code;
    QString out;
    QString err;
};

Outcome RunProgram(const QStringList& args, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(COMTEST_PROGRAM), args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "the program did not end";
    }
    return {process.exitStatus(), process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// No display platform at all: making the toolkit application fails.
QProcessEnvironment WithoutDisplay() {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "none-such");
    env.remove("KXCurrentPrjDir");
    return env;
}

TEST(ProgramExitTest, CollectionRunEndsWithZeroBeforeAnyWindow) {
    const Outcome collection = RunProgram({"--collect-publics"}, WithoutDisplay());
    EXPECT_EQ(collection.status, QProcess::NormalExit);
    EXPECT_EQ(collection.code, 0);

    // The same program started for real gets as far as the window system.
    const Outcome ordinary = RunProgram({}, WithoutDisplay());
    EXPECT_FALSE(ordinary.status == QProcess::NormalExit && ordinary.code == 0)
        << "an ordinary run without a display cannot end normally";
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
    struct Case {
        QStringList args;
        int code;
        QString outStarts;  // standard output begins with it
        QString err;        // standard error, whole
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: comtest [OPTION]...\n", ""},
        {{"--version"}, 0, QString("comtest %1\n").arg(kVersion), ""},
        {{"--bogus"}, 255, "", "comtest: unknown option 'bogus'; see comtest --help\n"},
        {{"--port", "Com1"},
         255,
         "",
         "comtest: bad --port value 'Com1': expected --port ComN=PATH (N from 1 to 255); "
         "see comtest --help\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome outcome = RunProgram(c.args, WithoutDisplay());
        EXPECT_EQ(outcome.status, QProcess::NormalExit);
        EXPECT_EQ(outcome.code, c.code);
        EXPECT_EQ(outcome.out.left(c.outStarts.size()), c.outStarts);
        if (c.outStarts.isEmpty()) {
            EXPECT_EQ(outcome.out, "");
        }
        EXPECT_EQ(outcome.err, c.err);
    }
}

}  // namespace
}  // namespace app
