#include <gtest/gtest.h>
#include <QFileInfo>

#include "diag/WinDllVersion.h"

#include <dlfcn.h>

namespace diag {
namespace {

std::string FileNameOf(const char* path) {
    return QFileInfo(QString::fromUtf8(path)).fileName().toStdString();
}

// Loads a test library for the lifetime of the object; the probe itself
// never loads one.
class LoadedLibrary {
  public:
    explicit LoadedLibrary(const char* path) { handle_ = ::dlopen(path, RTLD_NOW | RTLD_LOCAL); }
    ~LoadedLibrary() {
        if (handle_ == nullptr) return;
        ::dlclose(handle_);
    }
    bool Loaded() const { return handle_ != nullptr; }

  private:
    void* handle_ = nullptr;
};

TEST(WinDllVersionTest, LoadedLibraryReportsItsVersion) {
    const std::string name = FileNameOf(DIAG_VERSION_PROBE);
    WinDllVersion before(name);  // not loaded yet: nothing is loaded for it
    EXPECT_EQ(before.MajorVersion, 0u);
    EXPECT_EQ(before.Build, 0u);

    LoadedLibrary library(DIAG_VERSION_PROBE);
    ASSERT_TRUE(library.Loaded());
    WinDllVersion version(name);
    EXPECT_EQ(version.DLL(), rt::Usual(name));
    EXPECT_EQ(version.MajorVersion, 6u);
    EXPECT_EQ(version.MinorVersion, 0u);
    EXPECT_EQ(version.Build, 2900u);
    EXPECT_EQ(version.PlatformID, 2u);
    EXPECT_TRUE(version.IsWinNT());
}

TEST(WinDllVersionTest, UnprobedNamesLeaveTheNumbersAlone) {
    LoadedLibrary good(DIAG_VERSION_PROBE);
    LoadedLibrary failing(DIAG_FAILING_PROBE);
    ASSERT_TRUE(good.Loaded());
    ASSERT_TRUE(failing.Loaded());

    WinDllVersion fresh("comtest-not-loaded.so");
    EXPECT_EQ(fresh.DLL(), rt::Usual("comtest-not-loaded.so"));
    EXPECT_EQ(fresh.MajorVersion + fresh.MinorVersion + fresh.Build + fresh.PlatformID, 0u);
    EXPECT_FALSE(fresh.IsWinNT());

    WinDllVersion version(FileNameOf(DIAG_VERSION_PROBE));
    const rt::Usual others[] = {
        rt::Usual("comtest-not-loaded.so"),
        rt::Usual(FileNameOf(DIAG_FAILING_PROBE)),  // its call fails
        rt::Usual(std::int32_t{7}),
        rt::Usual(""),
    };
    for (const auto& other : others) {
        EXPECT_EQ(version.SetDLL(other), other);
        EXPECT_EQ(version.DLL(), other);
        EXPECT_EQ(version.MajorVersion, 6u);
        EXPECT_EQ(version.MinorVersion, 0u);
        EXPECT_EQ(version.Build, 2900u);
        EXPECT_TRUE(version.IsWinNT());
    }
}

}  // namespace
}  // namespace diag
