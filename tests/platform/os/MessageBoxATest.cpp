#include "platform/os/MessageBoxA.h"
#include "support/CaptureStderr.h"

#include <gtest/gtest.h>

#include <string>

namespace os {
namespace {

std::string& LastShown() {
    static std::string shown;
    return shown;
}

int Record(HWND owner, const char* text, const char* caption, std::uint32_t style) {
    LastShown() = std::to_string(owner) + "|" + caption + "|" + text + "|" + std::to_string(style);
    return 7;
}

TEST(MessageBoxATest, PresenterShowsTheBoxAndGivesItsAnswer) {
    const auto previous = SetMessageBoxPresenter(Record);
    EXPECT_EQ(MessageBoxA(0x1000, "text", "caption", MB_OK), 7);
    EXPECT_EQ(LastShown(), "4096|caption|text|0");
    EXPECT_EQ(MessageBoxA(0, nullptr, nullptr, MB_OK), 7);
    EXPECT_EQ(LastShown(), "0|||0") << "null texts count as empty";
    EXPECT_EQ(SetMessageBoxPresenter(previous), Record);
}

TEST(MessageBoxATest, WithoutAPresenterTheBoxGoesToStandardError) {
    const auto previous = SetMessageBoxPresenter(nullptr);
    testsupport::StderrCapture capture;
    EXPECT_EQ(MessageBoxA(0, "No error object created !", "FROM DefErrorGen", MB_OK), IDOK);
    EXPECT_EQ(capture.Take(), "FROM DefErrorGen: No error object created !\n");
    SetMessageBoxPresenter(previous);
}

}  // namespace
}  // namespace os
