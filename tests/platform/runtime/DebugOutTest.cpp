#include <gtest/gtest.h>

#include <string>

#include "platform/runtime/DebugOut.h"

#include "support/CaptureStderr.h"

namespace rt {
namespace {

using testsupport::CaptureStderr;

TEST(DebugOutTest, EachMessageIsOneLine) {
    struct Case {
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {"port opened", "port opened\n"},
        {"two\r\nlines\n", "two\\r\\nlines\\n\n"},
        {"\xc0\xff bytes", "\xc0\xff bytes\n"},
        {"", ""},
        {nullptr, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CaptureStderr([&] { DebOut32(c.text); }), c.written);
    EXPECT_EQ(CaptureStderr([] {
                  DebOut32("a");
                  DebOut32("b");
              }),
              "a\nb\n");
}

}  // namespace
}  // namespace rt
