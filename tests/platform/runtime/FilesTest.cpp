// The runtime's file layer: codes of failed operations, CR LF lines,
// seeking, handles, and the sharing rule between handles and processes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/os/SystemError.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/Files.h"
#include "platform/runtime/RuntimeState.h"

namespace {

using rt::F_ERROR;
using rt::FHandle;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

class FilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        openBefore_ = rt::State().files.OpenCount();
    }
    void TearDown() override {
        // Every test closes what it opened.
        EXPECT_EQ(rt::State().files.OpenCount(), openBefore_);
    }
    std::string Path(const std::string& name) const {
        return dir_.path().toStdString() + "/" + name;
    }

    QTemporaryDir dir_;
    std::size_t openBefore_ = 0;
};

TEST_F(FilesTest, FailedOpensReportTheSystemCode) {
    WriteBytes(Path("present.txt"), "x");
    struct Case {
        const char* what;
        std::string name;
        std::uint32_t mode;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"missing file", Path("absent.txt"), rt::FO_READWRITE, os::ERROR_FILE_NOT_FOUND},
        {"missing folder", Path("nofolder/absent.txt"), rt::FO_READ, os::ERROR_PATH_NOT_FOUND},
        {"file used as folder", Path("present.txt/x"), rt::FO_READ, os::ERROR_PATH_NOT_FOUND},
        {"directory", dir_.path().toStdString(), rt::FO_READ, os::ERROR_ACCESS_DENIED},
        {"empty name", "", rt::FO_READ, os::ERROR_PATH_NOT_FOUND},
        {"embedded zero", Path("a") + std::string(1, '\0') + "b", rt::FO_READ,
         os::ERROR_INVALID_NAME},
        {"access bits 3", Path("present.txt"), 3, os::ERROR_INVALID_PARAMETER},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(rt::FOpen(c.name, c.mode), F_ERROR);
        EXPECT_EQ(rt::FError(), c.code);
    }
}

TEST_F(FilesTest, FailedCreatesReportTheSystemCode) {
    struct Case {
        const char* what;
        std::string name;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"missing folder", Path("nofolder/new.txt"), os::ERROR_PATH_NOT_FOUND},
        {"directory", dir_.path().toStdString(), os::ERROR_ACCESS_DENIED},
        {"empty name", "", os::ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(rt::FCreate(c.name), F_ERROR);
        EXPECT_EQ(rt::FError(), c.code);
    }
}

TEST_F(FilesTest, LinesEndInCrLfAndCountTheirBytes) {
    const FHandle h = rt::FCreate(Path("log.txt"));
    ASSERT_NE(h, F_ERROR);
    EXPECT_EQ(rt::FPutS(h, "first"), 7u);
    EXPECT_EQ(rt::FPutS(h, ""), 2u);
    EXPECT_EQ(rt::FPutS3(h, "truncated", 5), 7u);
    EXPECT_EQ(rt::FPutS3(h, "short", 99), 7u);
    // Texts are bytes: high bytes and a zero byte pass unchanged.
    EXPECT_EQ(rt::FPutS(h, std::string("\xC0\xFF\0z", 4)), 6u);
    EXPECT_EQ(rt::FError(), 0u);
    EXPECT_TRUE(rt::FClose(h));
    EXPECT_EQ(ReadBytes(Path("log.txt")),
              std::string("first\r\n\r\ntrunc\r\nshort\r\n\xC0\xFF\0z\r\n", 29));
}

TEST_F(FilesTest, CreateEmptiesAnExistingFile) {
    WriteBytes(Path("old.txt"), "old contents");
    const FHandle h = rt::FCreate2(Path("old.txt"), rt::FC_ARCHIVED);
    ASSERT_NE(h, F_ERROR);
    EXPECT_EQ(rt::FSeek(h, 0, rt::FS_END), 0);
    rt::FClose(h);
    EXPECT_EQ(ReadBytes(Path("old.txt")), "");
}

TEST_F(FilesTest, SeekMovesFromEachOriginAndAppendsAtTheEnd) {
    WriteBytes(Path("data.txt"), "0123456789");
    const FHandle h = rt::FOpen2(Path("data.txt"), rt::FO_READWRITE);
    ASSERT_NE(h, F_ERROR);
    EXPECT_EQ(rt::FSeek(h, 4), 4);
    EXPECT_EQ(rt::FSeek3(h, 3, rt::FS_RELATIVE), 7);
    EXPECT_EQ(rt::FSeek3(h, -2, rt::FS_END), 8);
    EXPECT_EQ(rt::FSeek3(h, 0, rt::FS_END), 10);
    EXPECT_EQ(rt::FPutS(h, "end"), 5u);

    EXPECT_EQ(rt::FSeek3(h, -1, rt::FS_SET), -1);
    EXPECT_EQ(rt::FError(), os::ERROR_NEGATIVE_SEEK);
    EXPECT_EQ(rt::FSeek3(h, 0, 7), -1);
    EXPECT_EQ(rt::FError(), os::ERROR_INVALID_PARAMETER);
    // A failed seek leaves the position alone.
    EXPECT_EQ(rt::FSeek3(h, 0, rt::FS_RELATIVE), 15);

    EXPECT_EQ(rt::FSeek(h, 2), 2);
    EXPECT_EQ(rt::FPutS3(h, "ab", 2), 4u);
    rt::FClose(h);
    EXPECT_EQ(ReadBytes(Path("data.txt")), "01ab\r\n6789end\r\n");
}

TEST_F(FilesTest, BadHandlesFailCleanly) {
    const FHandle closed = rt::FCreate(Path("c.txt"));
    ASSERT_NE(closed, F_ERROR);
    ASSERT_TRUE(rt::FClose(closed));
    for (FHandle h : {FHandle{0}, F_ERROR, FHandle{4096}, closed}) {
        SCOPED_TRACE(h);
        EXPECT_EQ(rt::FSeek(h, 0, rt::FS_END), -1);
        EXPECT_EQ(rt::FError(), os::ERROR_INVALID_HANDLE);
        EXPECT_EQ(rt::FPutS(h, "lost"), 0u);
        EXPECT_EQ(rt::FError(), os::ERROR_INVALID_HANDLE);
        EXPECT_FALSE(rt::FClose(h));
        EXPECT_EQ(rt::FError(), os::ERROR_INVALID_HANDLE);
    }
}

TEST_F(FilesTest, HandlesAreSmallAndTheLowestFreeOneIsReused) {
    const FHandle a = rt::FCreate(Path("a.txt"));
    const FHandle b = rt::FCreate(Path("b.txt"));
    ASSERT_NE(a, F_ERROR);
    ASSERT_NE(b, F_ERROR);
    EXPECT_NE(a, b);
    EXPECT_GT(a, 0u);
    EXPECT_LT(a, 64u);
    rt::FClose(a);
    const FHandle c = rt::FCreate(Path("c.txt"));
    EXPECT_EQ(c, a);
    // The old handle now names c.txt: its writes land there, not in a.txt.
    rt::FPutS(c, "c");
    rt::FClose(c);
    rt::FClose(b);
    EXPECT_EQ(ReadBytes(Path("a.txt")), "");
    EXPECT_EQ(ReadBytes(Path("c.txt")), "c\r\n");
}

TEST_F(FilesTest, AFullDeviceReportsDiskFull) {
    const FHandle h = rt::FOpen("/dev/full", rt::FO_WRITE);
    if (h == F_ERROR) GTEST_SKIP() << "no /dev/full here";
    EXPECT_EQ(rt::FPutS(h, "no room"), 0u);
    EXPECT_EQ(rt::FError(), os::ERROR_DISK_FULL);
    rt::FClose(h);
}

TEST_F(FilesTest, WritersExcludeEveryOtherHandleInTheProcess) {
    WriteBytes(Path("shared.txt"), "keep");
    const FHandle writer = rt::FOpen(Path("shared.txt"), rt::FO_READWRITE);
    ASSERT_NE(writer, F_ERROR);

    EXPECT_EQ(rt::FOpen(Path("shared.txt"), rt::FO_WRITE), F_ERROR);
    EXPECT_EQ(rt::FError(), os::ERROR_SHARING_VIOLATION);
    EXPECT_EQ(rt::FOpen(Path("shared.txt"), rt::FO_READ), F_ERROR);
    EXPECT_EQ(rt::FError(), os::ERROR_SHARING_VIOLATION);
    EXPECT_EQ(rt::FCreate(Path("shared.txt")), F_ERROR);
    EXPECT_EQ(rt::FError(), os::ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(rt::FCopy(Path("other.txt"), Path("shared.txt")));  // no source
    WriteBytes(Path("other.txt"), "other");
    EXPECT_FALSE(rt::FCopy(Path("other.txt"), Path("shared.txt")));
    EXPECT_EQ(rt::FError(), os::ERROR_SHARING_VIOLATION);
    EXPECT_EQ(ReadBytes(Path("shared.txt")), "keep");

    ASSERT_TRUE(rt::FClose(writer));
    const FHandle again = rt::FOpen(Path("shared.txt"), rt::FO_READWRITE);
    EXPECT_NE(again, F_ERROR);
    rt::FClose(again);
}

TEST_F(FilesTest, ReadersShareButKeepWritersOut) {
    WriteBytes(Path("read.txt"), "r");
    const FHandle r1 = rt::FOpen(Path("read.txt"));
    const FHandle r2 = rt::FOpen(Path("read.txt"), rt::FO_READ);
    EXPECT_NE(r1, F_ERROR);
    EXPECT_NE(r2, F_ERROR);
    EXPECT_EQ(rt::FOpen(Path("read.txt"), rt::FO_READWRITE), F_ERROR);
    EXPECT_EQ(rt::FError(), os::ERROR_SHARING_VIOLATION);
    // A copy of a file onto itself meets its own read lock instead of
    // emptying the file.
    rt::FClose(r2);
    rt::FClose(r1);
    EXPECT_FALSE(rt::FCopy(Path("read.txt"), Path("read.txt")));
    EXPECT_EQ(rt::FError(), os::ERROR_SHARING_VIOLATION);
    EXPECT_EQ(ReadBytes(Path("read.txt")), "r");
}

// A second process holds the file open for writing until told to let go.
class LockHolder {
  public:
    explicit LockHolder(const std::string& path) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            const FHandle h = rt::FOpen(path, rt::FO_READWRITE);
            const char status = h == F_ERROR ? 'n' : 'y';
            if (::write(ready[1], &status, 1) != 1) ::_exit(2);
            char ignored;
            while (::read(release[0], &ignored, 1) > 0) {
            }
            if (h != F_ERROR) rt::FPutS(h, "child");
            ::_exit(h == F_ERROR ? 1 : 0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        releaseFd_ = release[1];
        char status = 'n';
        holding_ = ::read(ready[0], &status, 1) == 1 && status == 'y';
        ::close(ready[0]);
    }
    ~LockHolder() { Release(); }
    bool Holding() const { return holding_; }
    // Lets the child write its line, close and end; returns its exit code.
    int Release() {
        if (pid_ <= 0) return -1;
        ::close(releaseFd_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int releaseFd_ = -1;
    bool holding_ = false;
};

TEST_F(FilesTest, AFileHeldByAnotherProcessIsASharingViolation) {
    WriteBytes(Path("held.txt"), "");
    LockHolder holder(Path("held.txt"));
    ASSERT_TRUE(holder.Holding());

    struct Attempt {
        const char* what;
        FHandle (*open)(const std::string&);
    };
    const Attempt attempts[] = {
        {"read/write", [](const std::string& p) { return rt::FOpen(p, rt::FO_READWRITE); }},
        {"write", [](const std::string& p) { return rt::FOpen(p, rt::FO_WRITE); }},
        {"read", [](const std::string& p) { return rt::FOpen(p, rt::FO_READ); }},
        {"create", [](const std::string& p) { return rt::FCreate(p); }},
    };
    for (const auto& attempt : attempts) {
        SCOPED_TRACE(attempt.what);
        EXPECT_EQ(attempt.open(Path("held.txt")), F_ERROR);
        EXPECT_EQ(rt::FError(), os::ERROR_SHARING_VIOLATION);
        EXPECT_TRUE(rt::NetErr());
        // A failure of another kind is no conflict: the flag goes down.
        EXPECT_EQ(attempt.open(Path("missing/held.txt")), F_ERROR);
        EXPECT_FALSE(rt::NetErr());
    }

    // Once the holder has closed, its line is there and the file opens.
    EXPECT_EQ(holder.Release(), 0);
    const FHandle h = rt::FOpen(Path("held.txt"), rt::FO_READWRITE);
    ASSERT_NE(h, F_ERROR);
    rt::FSeek(h, 0, rt::FS_END);
    EXPECT_FALSE(rt::NetErr());
    rt::FPutS(h, "parent");
    rt::FClose(h);
    EXPECT_EQ(ReadBytes(Path("held.txt")), "child\r\nparent\r\n");
}

TEST_F(FilesTest, ExistenceAndCopy) {
    WriteBytes(Path("src.bin"), std::string("a\0b\r\n", 5));
    EXPECT_TRUE(rt::File(Path("src.bin")));
    EXPECT_FALSE(rt::File(Path("none.bin")));
    EXPECT_EQ(rt::FError(), os::ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(rt::File(dir_.path().toStdString()));

    WriteBytes(Path("dst.bin"), "longer old contents");
    EXPECT_TRUE(rt::FCopy(Path("src.bin"), Path("dst.bin")));
    EXPECT_EQ(rt::FError(), 0u);
    EXPECT_EQ(ReadBytes(Path("dst.bin")), std::string("a\0b\r\n", 5));

    EXPECT_FALSE(rt::FCopy(Path("none.bin"), Path("dst2.bin")));
    EXPECT_EQ(rt::FError(), os::ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(rt::File(Path("dst2.bin")));
}

}  // namespace
