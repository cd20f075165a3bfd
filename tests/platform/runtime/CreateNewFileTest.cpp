// FCreateNew: creating a shared file without emptying one that another
// writer created first.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "platform/os/SystemError.h"
#include "platform/runtime/Files.h"

namespace rt {
namespace {

std::string Read(const std::string& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

TEST(CreateNewFileTest, CreatesOnlyWhatDoesNotExist) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("shared.log").toStdString();

    const FHandle created = FCreateNew(path);
    ASSERT_NE(created, F_ERROR);
    FPutS(created, "first");
    // While held, and after it is closed, a second creation fails and
    // leaves the content alone.
    EXPECT_EQ(FCreateNew(path), F_ERROR);
    EXPECT_EQ(FError(), os::ERROR_FILE_EXISTS);
    FClose(created);
    EXPECT_EQ(FCreateNew(path), F_ERROR);
    EXPECT_EQ(FError(), os::ERROR_FILE_EXISTS);
    EXPECT_EQ(Read(path), "first\r\n");

    EXPECT_EQ(FCreateNew(dir.filePath("missing/deeper.log").toStdString()), F_ERROR);
    EXPECT_NE(FError(), os::ERROR_FILE_EXISTS);
}

TEST(CreateNewFileTest, OfProcessesRacingToCreateExactlyOneSucceeds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int round = 0; round < 20; ++round) {
        const std::string path = dir.filePath(QString("race%1.log").arg(round)).toStdString();
        std::vector<pid_t> children;
        for (int p = 0; p < 4; ++p) {
            const pid_t pid = ::fork();
            if (pid == 0) ::_exit(FCreateNew(path) != F_ERROR ? 1 : 0);
            ASSERT_GT(pid, 0);
            children.push_back(pid);
        }
        int winners = 0;
        for (const pid_t pid : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(pid, &status, 0), pid);
            ASSERT_TRUE(WIFEXITED(status));
            winners += WEXITSTATUS(status);
        }
        EXPECT_EQ(winners, 1) << "round " << round;
    }
}

}  // namespace
}  // namespace rt
