// A numbered device pulled and put back during a test, and the reasons given
// when a device cannot be opened.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <sys/stat.h>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>

#include "DeviceTree.h"
#include "PtyPair.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortListing.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/PosixLine.h"
#include "platform/serial/Serial.h"

namespace serial {
namespace {

using namespace std::chrono_literals;
using testing::DeviceTree;
using testing::NotifyRecorder;
using testing::PumpUntil;
using testing::UsbInfo;

long Lines(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

class SerialReturnTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tree_.Ok());
        ASSERT_TRUE(store_.isValid());
        PortMap map([](const std::string&) { return std::optional<std::string>(); });
        monitor_ = std::make_shared<DeviceMonitor>(tree_.Root(),
                                                   store_.filePath("registry.ini").toStdString());
        monitor_->Watch();
        map.SetDevices(monitor_);
        PortMap::Install(std::move(map));
    }
    void TearDown() override { PortMap::Install(PortMap()); }

    DeviceTree tree_;
    QTemporaryDir store_;
    std::shared_ptr<DeviceMonitor> monitor_;
};

TEST_F(SerialReturnTest, TestResumesWhenTheSameAdapterIsBack) {
    tree_.AddUsb("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return monitor_->DeviceAt(1).has_value(); }));
    NotifyRecorder recorder;
    Serial port(recorder.Handle());
    recorder.port = &port;
    recorder.drain = true;
    ASSERT_TRUE(port.Open("Com1")) << port.ErrorDesc();
    port.SetBaud(2400);
    // A pseudo-terminal keeps rate and stop bits, not data bits or parity.
    port.SetParity(0);
    port.SetByteSize(8);
    port.SetStopBits(2);
    ASSERT_TRUE(port.SetProtocol()) << port.ErrorDesc();
    port.EnableEvents(EV_RXCHAR);
    ASSERT_TRUE(tree_.Far("ttyUSB0")->Send("before"));
    ASSERT_TRUE(PumpUntil([&] { return recorder.received == "before"; }));

    ::testing::internal::CaptureStderr();
    tree_.Remove("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return port.IsLost(); }));
    port.Write("typed while away");
    // Another adapter arrives meanwhile and must not be taken for it.
    UsbInfo other;
    other.serialNumber = "OTHER";
    tree_.AddUsb("ttyUSB0", other);
    ASSERT_TRUE(PumpUntil([&] { return monitor_->DeviceAt(2).has_value(); }));
    EXPECT_TRUE(port.IsLost());

    // Back in another socket, under another name.
    UsbInfo moved;
    moved.socket = "1-3";
    testing::PtyPair* far = tree_.AddUsb("ttyUSB1", moved);
    const bool resumed = PumpUntil([&] { return !port.IsLost(); });
    const std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(resumed);
    EXPECT_EQ(Lines(err), 2) << err;
    EXPECT_NE(err.find("device lost"), std::string::npos) << err;
    EXPECT_NE(err.find("Com1 (" + tree_.Node("ttyUSB1") + "): device back, test resumed"),
              std::string::npos)
        << err;

    // The settings are in force again on the returned line.
    termios tio{};
    ASSERT_EQ(::tcgetattr(far->Master(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), B2400);
    EXPECT_TRUE(tio.c_cflag & CSTOPB);

    ASSERT_TRUE(far->Send("after"));
    EXPECT_TRUE(PumpUntil([&] { return recorder.received == "beforeafter"; })) << recorder.received;
    port.Write("k");
    EXPECT_EQ(far->Receive(64, 200ms), "k") << "keys typed while away were sent";
    EXPECT_EQ(tree_.Far("ttyUSB0")->Receive(1, 50ms), "");
}

TEST_F(SerialReturnTest, ReturnedDeviceRefusingAtFirstIsTriedAgain) {
    // As when udev has not yet given the new node its group: the first
    // attempts fail, a later one succeeds without any change in the tree.
    tree_.AddUsb("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return monitor_->DeviceAt(1).has_value(); }));
    NotifyRecorder recorder;
    Serial port(recorder.Handle());
    ASSERT_TRUE(port.Open("Com1")) << port.ErrorDesc();
    ::testing::internal::CaptureStderr();
    tree_.Remove("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return port.IsLost(); }));
    tree_.AddUsb("ttyUSB0");
    // Held before the event loop can notice the node.
    const int blocker = ::open(tree_.Node("ttyUSB0").c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(blocker, 0);
    ASSERT_EQ(::flock(blocker, LOCK_EX | LOCK_NB), 0);
    const bool resumedWhileHeld = PumpUntil([&] { return !port.IsLost(); }, 300ms);
    ::close(blocker);
    const bool resumed = PumpUntil([&] { return !port.IsLost(); });
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(resumedWhileHeld);
    EXPECT_TRUE(resumed);
    EXPECT_EQ(Lines(err), 2) << err;
}

TEST_F(SerialReturnTest, BusyNamesTheHoldingProgram) {
    tree_.AddUsb("ttyUSB0");
    QProcess holder;
    holder.start("flock", {"-n", QString::fromStdString(tree_.Node("ttyUSB0")), "sleep", "30"});
    ASSERT_TRUE(holder.waitForStarted());
    const auto held = [&] {
        return !PortListing::Rows(PortMap::Current()).empty() &&
               PortListing::Rows(PortMap::Current())[0].state != "free";
    };
    ASSERT_TRUE(PumpUntil(held));

    NotifyRecorder recorder;
    Serial port(recorder.Handle());
    ::testing::internal::CaptureStderr();
    const bool opened = port.Open("Com1");
    const std::string err = ::testing::internal::GetCapturedStderr();
    const std::string listed = PortListing::Rows(PortMap::Current())[0].state;
    const std::string who = "flock (process " + std::to_string(holder.processId()) + ")";
    holder.kill();
    holder.waitForFinished();
    EXPECT_FALSE(opened);
    EXPECT_NE(err.find("is in use by another program: " + who), std::string::npos) << err;
    EXPECT_NE(listed.find("held by " + who), std::string::npos) << listed;
}

TEST_F(SerialReturnTest, PermissionNamesTheGroupAndTheFix) {
    // A user who is not in the device's group: a child process that gives
    // up root when run as root, else the device's mode shuts us out.
    tree_.AddUsb("ttyUSB0");
    const std::string node = tree_.Node("ttyUSB0");
    const std::string pts = tree_.Far("ttyUSB0")->Path();
    struct stat info {};
    ASSERT_EQ(::stat(pts.c_str(), &info), 0);
    // The tree's folders are the test's own; only the device is shut.
    std::filesystem::permissions(tree_.Root(), std::filesystem::perms(0755));
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(pts.c_str(), 0), 0);
    }
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        PosixLine line;
        const auto opened = line.Open(node);
        const std::string reason = opened ? std::string() : opened.Error();
        (void)!::write(pipe[1], reason.data(), reason.size());
        ::_exit(0);
    }
    ::close(pipe[1]);
    std::string reason;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) reason.append(buffer, n);
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::chmod(pts.c_str(), info.st_mode & 07777);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string group = ::getgrgid(info.st_gid) ? ::getgrgid(info.st_gid)->gr_name : "";
    EXPECT_EQ(reason.rfind("permission denied: " + node + " belongs to group " + group + "; ", 0),
              0u)
        << reason;
    EXPECT_NE(reason.find("log in again"), std::string::npos) << reason;
}

}  // namespace
}  // namespace serial
