#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>

#include "platform/os/SystemError.h"
#include "platform/runtime/FileSize.h"
#include "platform/runtime/Files.h"

namespace rt {
namespace {

TEST(FileSizeTest, CutsAndExtendsAnOpenFileKeepingItsPosition) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("sized.txt").toStdString();
    const FHandle handle = FCreate(path);
    ASSERT_NE(handle, F_ERROR);
    FPutS(handle, "0123456789");  // 12 bytes with CR LF

    struct Case {
        std::int64_t size;
        bool ok;
        std::uint32_t error;
        std::string content;
    };
    const Case cases[] = {
        {4, true, os::ERROR_SUCCESS, "0123"},
        {6, true, os::ERROR_SUCCESS, std::string("0123\0\0", 6)},
        {-1, false, os::ERROR_NEGATIVE_SEEK, std::string("0123\0\0", 6)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FChSize(handle, c.size), c.ok) << c.size;
        EXPECT_EQ(FError(), c.error) << c.size;
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.content) << c.size;
    }
    EXPECT_EQ(FSeek(handle, 0, FS_RELATIVE), 12);
    FClose(handle);
    EXPECT_FALSE(FChSize(handle, 0));
    EXPECT_EQ(FError(), os::ERROR_INVALID_HANDLE);
}

}  // namespace
}  // namespace rt
