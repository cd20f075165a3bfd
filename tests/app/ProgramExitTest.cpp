// Runs the built program for the exit codes of the process entry.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace app {
namespace {

int RunProgram(const QStringList& args, const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(COMTEST_PROGRAM), args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "the program did not end";
        return -1000;
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return process.exitCode();
}

TEST(ProgramExitTest, CollectionRunOfAnOrdinaryBuildExitsZeroWithoutAWindow) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("KXCurrentPrjDir", "/tmp");
    // No display platform at all: a window would make the program fail.
    env.insert("QT_QPA_PLATFORM", "none-such");
    EXPECT_EQ(RunProgram({"--collect-publics"}, env), 0);
}

}  // namespace
}  // namespace app
