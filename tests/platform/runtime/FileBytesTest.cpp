#include <gtest/gtest.h>
#include <QTemporaryDir>

#include "platform/os/SystemError.h"
#include "platform/runtime/FileBytes.h"
#include "platform/runtime/Files.h"

namespace rt {
namespace {

TEST(FileBytesTest, BytesGoInAndComeOutUnchanged) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("bytes.bin").toStdString();
    const std::string bytes("\0\r\n\xff no line end", 15);
    const FHandle handle = FCreate(path);
    ASSERT_NE(handle, F_ERROR);
    EXPECT_EQ(FWrite(handle, bytes), bytes.size());
    EXPECT_EQ(FError(), 0u);
    EXPECT_EQ(FSeek(handle, 0, FS_SET), 0);

    struct Case {
        std::uint32_t count;
        std::string read;
    };
    const Case cases[] = {{4, bytes.substr(0, 4)}, {100, bytes.substr(4)}, {10, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(FRead(handle, c.count), c.read) << c.count;
        EXPECT_EQ(FError(), 0u);
    }
    FClose(handle);
    EXPECT_EQ(FRead(handle, 4), "");
    EXPECT_EQ(FError(), os::ERROR_INVALID_HANDLE);
    EXPECT_EQ(FWrite(handle, "x"), 0u);
    EXPECT_EQ(FError(), os::ERROR_INVALID_HANDLE);
}

}  // namespace
}  // namespace rt
