#include <gtest/gtest.h>
#include <QByteArray>
#include <QtGlobal>

#include <cstring>
#include <string>

#include "platform/os/SystemFolders.h"

namespace os {
namespace {

TEST(SystemFoldersTest, EnvironmentTextFitsOrReportsTheSizeNeeded) {
    qputenv("COMTEST_FOLDER_PROBE", "abcdef");
    struct Case {
        std::uint32_t size;
        std::uint32_t result;
        const char* buffer;
    };
    const Case cases[] = {
        {7, 6, "abcdef"}, {100, 6, "abcdef"}, {6, 7, "untouched"}, {0, 7, "untouched"}};
    for (const auto& c : cases) {
        char buffer[100] = "untouched";
        EXPECT_EQ(GetEnvironmentVariableA("COMTEST_FOLDER_PROBE", buffer, c.size), c.result)
            << c.size;
        EXPECT_STREQ(buffer, c.buffer);
    }
    qputenv("COMTEST_FOLDER_PROBE", "");
    char buffer[8] = "x";
    EXPECT_EQ(GetEnvironmentVariableA("COMTEST_FOLDER_PROBE", buffer, 8), 0u);
    qunsetenv("COMTEST_FOLDER_PROBE");
    EXPECT_EQ(GetEnvironmentVariableA("COMTEST_FOLDER_PROBE", buffer, 8), 0u);
    EXPECT_STREQ(buffer, "x");
}

TEST(SystemFoldersTest, SystemFolderIsConfigurableWithALibraryFolderDefault) {
    const QByteArray previous = qgetenv("COMTEST_SYSTEM_DIR");
    char buffer[260] = {};
    qputenv("COMTEST_SYSTEM_DIR", "/opt/system");
    EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 11u);
    EXPECT_STREQ(buffer, "/opt/system");
    qunsetenv("COMTEST_SYSTEM_DIR");
    EXPECT_EQ(GetSystemDirectoryA(buffer, sizeof buffer), 8u);
    EXPECT_STREQ(buffer, "/usr/lib");
    EXPECT_EQ(GetSystemDirectoryA(buffer, 8), 9u);
    if (!previous.isEmpty()) qputenv("COMTEST_SYSTEM_DIR", previous);
}

}  // namespace
}  // namespace os
