#include "platform/os/PostedMessage.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <memory>
#include <vector>

namespace os {
namespace {

class Recorder : public QObject {
  public:
    std::vector<Msg> seen;
    bool event(QEvent* e) override {
        if (e->type() == PostedMessageEvent::EventType()) {
            seen.push_back(static_cast<PostedMessageEvent*>(e)->message());
            return true;
        }
        return QObject::event(e);
    }
};

TEST(PostedMessageTest, MessagesArriveLaterInPostingOrder) {
    Recorder recorder;
    const HWND hwnd = RegisterWindowHandle(&recorder);
    ASSERT_NE(hwnd, 0u);
    EXPECT_EQ(WindowFromHandle(hwnd), &recorder);
    for (WPARAM i = 0; i < 5; ++i) EXPECT_TRUE(PostMessageA(hwnd, WM_CHAR, 'a' + i, 1));
    EXPECT_TRUE(recorder.seen.empty()) << "posting never handles at once";
    QCoreApplication::sendPostedEvents(&recorder);
    ASSERT_EQ(recorder.seen.size(), 5u);
    for (WPARAM i = 0; i < 5; ++i) {
        EXPECT_EQ(recorder.seen[i].wParam, 'a' + i);
        EXPECT_EQ(recorder.seen[i].message, WM_CHAR);
        EXPECT_EQ(recorder.seen[i].hwnd, hwnd);
    }
}

TEST(PostedMessageTest, UnknownOrDestroyedWindowRefusesPost) {
    EXPECT_FALSE(PostMessageA(0, WM_CHAR, 0, 0));
    HWND hwnd = 0;
    {
        auto recorder = std::make_unique<Recorder>();
        hwnd = RegisterWindowHandle(recorder.get());
    }
    EXPECT_EQ(WindowFromHandle(hwnd), nullptr);
    EXPECT_FALSE(PostMessageA(hwnd, WM_CHAR, 0, 0));
}

}  // namespace
}  // namespace os
