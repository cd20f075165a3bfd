// The working directory, the default-directory settings that relative file
// names follow, and the program's own path.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "platform/os/SystemError.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/Files.h"

namespace {

// Clears both default settings however a test ends.
class DefaultsReset {
  public:
    ~DefaultsReset() {
        rt::SetDefaultDir("");
        rt::SetDefault("");
    }
};

TEST(DirectoriesTest, WorkDirIsTheStartDirectoryWithASeparator) {
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(rt::WorkDir(), cwd == "/" ? cwd : cwd + "/");

    const std::string before = rt::SetWorkDir("/tmp/somewhere");
    EXPECT_EQ(rt::WorkDir(), "/tmp/somewhere/");
    EXPECT_EQ(rt::SetWorkDir("/tmp/other/"), "/tmp/somewhere/");
    EXPECT_EQ(rt::WorkDir(), "/tmp/other/");
    rt::SetWorkDir(before);
    EXPECT_EQ(rt::WorkDir(), before);
}

TEST(DirectoriesTest, RelativeNamesFollowTheDefaultInForce) {
    DefaultsReset reset;
    struct Case {
        const char* dir;
        const char* path;
        const char* name;
        std::string expected;
    };
    const Case cases[] = {
        {"", "", "a.txt", "a.txt"},
        {"/d", "", "a.txt", "/d/a.txt"},
        {"/d/", "", "a.txt", "/d/a.txt"},
        {"", "/p", "a.txt", "/p/a.txt"},
        {"/d", "/p", "a.txt", "/d/a.txt"},
        {"/d", "/p", "/abs/a.txt", "/abs/a.txt"},
        {"/d", "/p", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dir) + " | " + c.path + " | " + c.name);
        rt::SetDefaultDir(c.dir);
        rt::SetDefault(c.path);
        EXPECT_EQ(rt::GetDefaultDir(), c.dir);
        EXPECT_EQ(rt::GetDefault(), c.path);
        EXPECT_EQ(rt::ResolveFileName(c.name), c.expected);
    }
}

TEST(DirectoriesTest, FileOperationsCreateRelativeNamesInTheDefaultDirectory) {
    DefaultsReset reset;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    EXPECT_EQ(rt::SetDefaultDir(folder), "");

    const rt::FHandle h = rt::FCreate("relative.txt");
    ASSERT_NE(h, rt::F_ERROR);
    rt::FClose(h);
    EXPECT_TRUE(std::filesystem::exists(folder + "/relative.txt"));
    EXPECT_TRUE(rt::File("relative.txt"));

    // A default directory that does not exist: the path is not found.
    rt::SetDefaultDir(folder + "/missing");
    EXPECT_EQ(rt::FCreate("relative.txt"), rt::F_ERROR);
    EXPECT_EQ(rt::FError(), os::ERROR_PATH_NOT_FOUND);
}

TEST(DirectoriesTest, ExecNameIsTheFullPathOfThisProgram) {
    const std::string name = rt::ExecName();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(name.front(), '/');
    EXPECT_EQ(std::filesystem::path(name).filename(), "platform_runtime_test");
    EXPECT_TRUE(std::filesystem::exists(name));
}

}  // namespace
