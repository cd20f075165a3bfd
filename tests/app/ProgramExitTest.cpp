// Runs the built program for the exit codes of the process entry.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace app {
namespace {

struct Outcome {
    QProcess::ExitStatus status;
    int code;
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
    return {process.exitStatus(), process.exitCode()};
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

}  // namespace
}  // namespace app
