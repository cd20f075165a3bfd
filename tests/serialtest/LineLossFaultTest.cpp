// The line's far end goes away in the middle of a flood: the pane stays
// usable, keys typed afterwards raise no storm of reports, and the next
// start of the test on the same port name (the device back at the same
// path, as a stable by-id name gives for a re-plugged adapter) recovers.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <memory>

#include <QComboBox>
#include <QPushButton>

#include "FarEnd.h"
#include "TestLineTables.h"
#include "platform/runtime/RuntimeState.h"
#include "platform/serial/PortMap.h"
#include "platform/window/App.h"
#include "platform/window/ResourceModule.h"
#include "platform/window/TopAppWindow.h"
#include "serialtest/SerialMLE.h"
#include "serialtest/SerialTestClasses.h"
#include "serialtest/WSerial.h"
#include "serialtest/WSerialTemplate.h"
#include "support/CaptureStderr.h"
#include "support/ModalBoxWatcher.h"

namespace {

using serialtest::SerialMLE;
using serialtest::testing::RunUntil;

// A pseudo-terminal whose near end is reached through a symbolic link, so
// the device can be replaced behind an unchanging path.
class Plug {
  public:
    explicit Plug(const std::filesystem::path& link) {
        fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        char name[128] = {};
        if (fd_ < 0 || ::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0 ||
            ::ptsname_r(fd_, name, sizeof name) != 0) {
            Pull();
            return;
        }
        std::error_code ignored;
        std::filesystem::remove(link, ignored);
        std::filesystem::create_symlink(name, link);
    }
    ~Plug() { Pull(); }
    Plug(const Plug&) = delete;
    Plug& operator=(const Plug&) = delete;

    bool Ok() const { return fd_ >= 0; }
    void Pull() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    std::size_t SendSome(const char* data, std::size_t size) {
        const ssize_t n = ::write(fd_, data, size);
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    bool Send(std::string_view bytes) {
        std::size_t sent = 0;
        return RunUntil([&] {
            sent += SendSome(bytes.data() + sent, bytes.size() - sent);
            return sent == bytes.size();
        });
    }
    std::string Receive(std::size_t count) {
        std::string got;
        RunUntil([&] {
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
            return got.size() >= count;
        });
        return got;
    }

  private:
    int fd_ = -1;
};

// What the test window's start does with the pane's port.
bool StartTest(SerialMLE& pane, const std::string& port) {
    serial::Serial* device = pane.Device();
    if (!device->Open(port)) return false;
    device->SetBaud(9600);
    device->SetParity(0);
    device->SetByteSize(8);
    device->SetStopBits(0);
    if (!device->SetProtocol()) return false;
    device->EnableEvents(serial::EV_RXCHAR);
    return true;
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class LineLossFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        link_ = dir_.filePath("by-id-adapter").toStdString();
        serial::PortMap map;
        ASSERT_TRUE(map.AddMapping("Com7=" + link_.string()));
        serial::PortMap::Install(std::move(map));
        pane_ = std::make_unique<SerialMLE>();
        pane_->View()->resize(400, 200);
        pane_->View()->show();
        pane_->SetFocus();
    }
    void TearDown() override {
        pane_.reset();
        serial::PortMap::Install(serial::PortMap());
    }

    QTemporaryDir dir_;
    std::filesystem::path link_;
    std::unique_ptr<SerialMLE> pane_;
};

TEST_F(LineLossFaultTest, FarEndClosedMidFloodThenBackAtTheSamePath) {
    auto first = std::make_unique<Plug>(link_);
    ASSERT_TRUE(first->Ok());
    ASSERT_TRUE(StartTest(*pane_, "Com7")) << pane_->Device()->ErrorDesc();

    // Flood until the pane has shown a good part of it, then pull the plug
    // with bytes still in flight.
    std::string flood(4 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < flood.size(); ++i) flood[i] = static_cast<char>('a' + i % 26);
    std::size_t sent = 0;
    RunUntil([&] {
        sent += first->SendSome(flood.data() + sent, flood.size() - sent);
        return pane_->Value().size() >= 20000;
    });
    ASSERT_LT(sent, flood.size()) << "the flood ended before the loss";
    testsupport::StderrCapture capture;
    first.reset();
    const bool lost = RunUntil([&] { return pane_->Device()->IsLost(); });

    // Keys typed into the dead line go nowhere, so the pane does not show
    // them as if they had; reported nowhere either.
    QTest::qWait(50);
    const QString before = pane_->Value();
    for (int i = 0; i < 50; ++i) QTest::keyClick(pane_->View(), Qt::Key_X);
    QTest::keyClick(pane_->View(), Qt::Key_Return);
    QTest::keyClick(pane_->View(), Qt::Key_Backspace);
    QTest::qWait(50);
    const std::string err = capture.Take();
    ASSERT_TRUE(lost);
    EXPECT_EQ(Lines(err), 1u) << err;
    EXPECT_NE(err.find("device lost"), std::string::npos) << err;
    const QString received = pane_->Value();
    EXPECT_EQ(received, before) << "keys typed while the device was away were echoed";
    // What arrived before the loss shows intact: the alphabet in order.
    EXPECT_GE(received.size(), 20000);
    for (qsizetype i = 1; i < received.size(); ++i) {
        const char16_t expected = u'a' + (received[i - 1].unicode() - u'a' + 1) % 26;
        ASSERT_EQ(received[i].unicode(), expected) << "received text broken at " << i;
    }

    // The adapter comes back under the same name; the next start recovers.
    Plug second(link_);
    ASSERT_TRUE(second.Ok());
    ASSERT_TRUE(StartTest(*pane_, "Com7")) << pane_->Device()->ErrorDesc();
    EXPECT_FALSE(pane_->Device()->IsLost());
    pane_->SetValue("");
    ASSERT_TRUE(second.Send("back\r\n"));
    EXPECT_TRUE(RunUntil([&] { return pane_->Value() == "back[13][10]"; }))
        << pane_->Value().toStdString();
    QTest::keyClick(pane_->View(), Qt::Key_Z);
    EXPECT_EQ(second.Receive(1), "Z");
}

TEST_F(LineLossFaultTest, RepeatedLossesAreReportedOncePerStart) {
    // Losses in a row, each followed by a start on the returned device: one
    // line each, no more, and no descriptor left behind. The first round
    // also lets the process open what it opens once (fonts, notifiers).
    const auto fds = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator{});
    };
    const auto round = [&] {
        Plug plug(link_);
        ASSERT_TRUE(plug.Ok());
        ASSERT_TRUE(StartTest(*pane_, "Com7")) << pane_->Device()->ErrorDesc();
        ASSERT_TRUE(plug.Send("ping"));
        ASSERT_TRUE(RunUntil([&] { return pane_->Value().endsWith("ping"); }));
        plug.Pull();
        ASSERT_TRUE(RunUntil([&] { return pane_->Device()->IsLost(); }));
        for (int i = 0; i < 10; ++i) QTest::keyClick(pane_->View(), Qt::Key_Y);
        pane_->Device()->Close();
    };
    const std::string first = testsupport::CaptureStderr(round);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(Lines(first), 1u) << first;

    const auto fdsBefore = fds();
    const std::string err = testsupport::CaptureStderr([&] {
        for (int i = 0; i < 5 && !HasFatalFailure(); ++i) round();
    });
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(Lines(err), 5u) << err;
    EXPECT_EQ(fds(), fdsBefore) << "descriptors leaked across losses";
}

TEST_F(LineLossFaultTest, NextStartOfTheTestWindowRecoversTheLine) {
    // The whole window this time: start, loss mid-flood, keys into the dead
    // line, end, the adapter back at its path, start again.
    pane_.reset();
    // The window's clicks reach its methods through the class registry.
    auto& state = rt::State();
    state.classes.Reset(0);
    for (const char* base : {"DATAWINDOW", "MULTILINEEDIT"})
        ASSERT_EQ(state.classes.DeclareClass({state.symbols.Add(base), {}, {}, {}, {}, {}}), 0);
    for (auto& declaration : serialtest::SerialTestDeclarations())
        ASSERT_EQ(state.classes.Declare(std::move(declaration)), 0);
    win::ResourceModule module;
    module.AddDialog(serialtest::WSerialTemplate());
    const auto previousModule = module.InstallAsProgram();
    serial::PortMap map;
    ASSERT_TRUE(map.AddMapping("Com1=" + link_.string()));
    serial::PortMap::Install(std::move(map));
    {
        win::App application;
        win::TopAppWindow shell(&application);
        shell.Show();
        serialtest::WSerial window(&shell, serialtest::testing::ProgramTables());
        window.Show();
        const auto button = [&](const char* name) {
            return window.Widget()->findChild<QPushButton*>(QString::fromLatin1(name));
        };
        auto* pane = window.Widget()->findChild<SerialMLE*>();
        ASSERT_NE(pane, nullptr);
        testsupport::ModalBoxWatcher boxes;

        auto first = std::make_unique<Plug>(link_);
        ASSERT_TRUE(first->Ok());
        QTest::mouseClick(button("BeginButton"), Qt::LeftButton);
        ASSERT_TRUE(window.Port()->IsOpen());
        std::string flood(1024 * 1024, 'f');
        std::size_t sent = 0;
        RunUntil([&] {
            sent += first->SendSome(flood.data() + sent, flood.size() - sent);
            return pane->Value().size() >= 5000;
        });
        testsupport::StderrCapture capture;
        QWidget* top = window.Widget()->window();
        const QString title = top->windowTitle();
        first.reset();
        ASSERT_TRUE(RunUntil([&] { return window.Port()->IsLost(); }));
        // While the device is away the title says so, with the line written
        // to standard error; the window's own texts stay.
        const QString lostTitle = top->windowTitle();
        EXPECT_TRUE(lostTitle.startsWith(title + QString::fromUtf16(u" \u2014 Com1 (") +
                                         QString::fromStdString(link_.string()) + "): device lost"))
            << lostTitle.toStdString();
        pane->SetFocus();
        for (int i = 0; i < 30; ++i) QTest::keyClick(pane->View(), Qt::Key_K);
        QTest::qWait(20);
        const std::string err = capture.Take();
        EXPECT_EQ(Lines(err), 1u) << err;

        QTest::mouseClick(button("EndButton"), Qt::LeftButton);
        EXPECT_FALSE(window.Port()->IsOpen());
        EXPECT_EQ(top->windowTitle(), title) << "the test ended, the title stays changed";
        Plug second(link_);
        ASSERT_TRUE(second.Ok());
        QTest::mouseClick(button("BeginButton"), Qt::LeftButton);
        EXPECT_TRUE(boxes.Seen().empty()) << boxes.Seen().front().text;
        ASSERT_TRUE(window.Port()->IsOpen());
        EXPECT_FALSE(window.Port()->IsLost());
        ASSERT_TRUE(second.Send("again"));
        EXPECT_TRUE(RunUntil([&] { return pane->Value().endsWith("again"); }));
        pane->SetFocus();
        QTest::keyClick(pane->View(), Qt::Key_Z);
        EXPECT_EQ(second.Receive(1), "Z");
        QTest::mouseClick(button("EndButton"), Qt::LeftButton);
    }
    rt::State().program.instance = previousModule;
    state.classes.Reset(0);
}

}  // namespace
