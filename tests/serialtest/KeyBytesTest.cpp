#include "serialtest/KeyBytes.h"

#include <gtest/gtest.h>

namespace {

using serialtest::KeyBytes;

TEST(KeyBytes, BytesForKeys) {
    struct Case {
        os::WPARAM key;
        std::string bytes;
    };
    const Case cases[] = {
        {13, "\r\n"},
        {46, std::string("\x1b") + "d0"},
        {65, "A"},
        {53, "5"},
        {8, "\b"},
        {32, " "},
        {16, "\x10"},
        {112, "\x70"},
        {0xDE, "\xde"},
        {0x1234, "\x34"},  // only the low byte travels
        {0x100, std::string(1, '\0')},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyBytes::ForKey(c.key), c.bytes) << "key " << c.key;
}

}  // namespace
