#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/runtime/DebugOut.h"

#ifndef _WIN32
#include <unistd.h>

namespace rt {
namespace {

// Everything written to standard error while `write` runs.
template <typename Write>
std::string CaptureStderr(Write write) {
    std::fflush(stderr);
    std::FILE* sink = std::tmpfile();
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(sink), STDERR_FILENO);
    write();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::string text;
    std::rewind(sink);
    for (int c; (c = std::fgetc(sink)) != EOF;) text += static_cast<char>(c);
    std::fclose(sink);
    return text;
}

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
    for (const auto& c : cases) EXPECT_EQ(CaptureStderr([&] { _DebOut32(c.text); }), c.written);
    EXPECT_EQ(CaptureStderr([] {
                  _DebOut32("a");
                  _DebOut32("b");
              }),
              "a\nb\n");
}

}  // namespace
}  // namespace rt
#endif
