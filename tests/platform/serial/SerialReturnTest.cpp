// A numbered device pulled and put back during a test, and the reasons given
// when a device cannot be opened.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>

#include "DeviceTree.h"
#include "PtyPair.h"
#include "platform/serial/DeviceAccess.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/DeviceReturn.h"
#include "platform/serial/PortListing.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/PosixLine.h"
#include "platform/serial/Serial.h"
#include "support/CaptureStderr.h"

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

enum class Hold { Open, Exclusive, Flock };

// A process of the test's own that has `node` open, also in exclusive mode or
// locked with flock when asked, as a program of another user would; it waits
// until killed. Returns once the node is held.
pid_t HoldOpen(const std::string& node, Hold how) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(node.c_str(), O_RDWR | O_NOCTTY);
        if (fd < 0 || (how == Hold::Exclusive && ::ioctl(fd, TIOCEXCL) != 0) ||
            (how == Hold::Flock && ::flock(fd, LOCK_EX | LOCK_NB) != 0))
            ::_exit(1);
        (void)!::write(ready[1], "x", 1);
        while (true) ::pause();
    }
    ::close(ready[1]);
    char c = 0;
    const bool held = ::read(ready[0], &c, 1) == 1;
    ::close(ready[0]);
    return held ? child : -1;
}

void Release(pid_t holder) {
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
}

std::string CommandName(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
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

    testsupport::StderrCapture capture;
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
    const std::string err = capture.Take();
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

TEST_F(SerialReturnTest, LostTwinResumesOnlyInItsSocketOnTheNodeInUse) {
    // Twin adapters, the port mapped by path to the first: pulled, its
    // descriptor goes; neither its twin nor a newcomer taking its old name
    // resumes the test; back in its socket under another name, it does, and
    // the line names that node.
    const UsbInfo a{.serialNumber = "0001", .socket = "1-1"};
    const UsbInfo b{.serialNumber = "0001", .socket = "1-2"};
    tree_.AddUsb("ttyUSB0", a, false);
    tree_.AddUsb("ttyUSB1", b, false);
    ASSERT_TRUE(PumpUntil([&] { return monitor_->DeviceAt(2).has_value(); }));
    PortMap map([](const std::string&) { return std::optional<std::string>(); });
    ASSERT_TRUE(map.AddMapping("Com1=" + tree_.Node("ttyUSB0")));
    map.SetDevices(monitor_);
    PortMap::Install(std::move(map));
    NotifyRecorder recorder;
    Serial port(recorder.Handle());
    ASSERT_TRUE(port.Open("Com1")) << port.ErrorDesc();
    const std::string pts = tree_.Far("ttyUSB0")->Path();
    const auto holdsPts = [&] {
        std::error_code error;
        for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", error))
            if (std::filesystem::read_symlink(fd.path(), error) == pts) return true;
        return false;
    };
    ASSERT_TRUE(holdsPts());

    testsupport::StderrCapture capture;
    tree_.Remove("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return port.IsLost(); }));
    EXPECT_FALSE(holdsPts()) << "the lost device's descriptor is still open";
    EXPECT_TRUE(port.IsOpen());
    tree_.AddUsb("ttyUSB0", {.serialNumber = "OTHER", .socket = "1-4"});
    ASSERT_TRUE(PumpUntil([&] { return monitor_->Present().size() == 2; }));
    testing::PumpFor(300ms);
    EXPECT_TRUE(port.IsLost()) << "resumed on another adapter";

    testing::PtyPair* far = tree_.AddUsb("ttyUSB2", a, false);
    const bool resumed = PumpUntil([&] { return !port.IsLost(); });
    const std::string err = capture.Take();
    ASSERT_TRUE(resumed) << err;
    EXPECT_NE(err.find("Com1 (" + tree_.Node("ttyUSB2") + "): device back"), std::string::npos)
        << err;
    port.Write("k");
    EXPECT_EQ(far->Receive(1, 2s), "k");
    EXPECT_EQ(tree_.Far("ttyUSB1")->Receive(1, 50ms), "");
}

TEST_F(SerialReturnTest, ReturnedDeviceHeldByAnotherProgramIsAwaited) {
    // Back under another name, but a program without locks has it open, for
    // longer than the quick tries made while udev sets a new node up: said
    // once, naming the node found and its holder; the test resumes once the
    // holder lets go.
    tree_.AddUsb("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return monitor_->DeviceAt(1).has_value(); }));
    NotifyRecorder recorder;
    Serial port(recorder.Handle());
    ASSERT_TRUE(port.Open("Com1")) << port.ErrorDesc();
    testsupport::StderrCapture capture;
    tree_.Remove("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return port.IsLost() && !monitor_->DeviceAt(1); }));
    tree_.AddUsb("ttyUSB1");
    // Held before the event loop can notice the node.
    const pid_t holder = HoldOpen(tree_.Node("ttyUSB1"), Hold::Open);
    ASSERT_GT(holder, 0);
    const auto quickTries =
        std::chrono::milliseconds(DeviceReturn::kTries * DeviceReturn::kRetryMs);
    // Twice the quick tries' time: each try also reads /proc, which takes
    // its time under the sanitizers.
    const bool resumedWhileHeld = PumpUntil([&] { return !port.IsLost(); }, 2 * quickTries);
    const std::string who = CommandName(holder) + " (process " + std::to_string(holder) + ")";
    Release(holder);
    const bool resumed = PumpUntil([&] { return !port.IsLost(); });
    const std::string err = capture.Take();
    EXPECT_FALSE(resumedWhileHeld);
    EXPECT_TRUE(resumed);
    EXPECT_EQ(Lines(err), 3) << err;
    EXPECT_NE(err.find("Com1 (" + tree_.Node("ttyUSB1") +
                       "): device back but cannot be opened: is in use by another program: " + who),
              std::string::npos)
        << err;
}

// The node's exclusive mode, as root alone can ask it of a node in that
// mode; -1 when it cannot be asked.
int Exclusive(const std::string& node) {
    const int fd = ::open(node.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    int exclusive = -1;
    ::ioctl(fd, TIOCGEXCL, &exclusive);
    ::close(fd);
    return exclusive;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(SerialReturnTest, PortAnotherProcessHoldsIsRefusedAndLeftAsItWas) {
    tree_.AddUsb("ttyUSB0");
    const std::string node = tree_.Node("ttyUSB0");
    const std::string locks = tree_.Root() + "/var/lock";
    const std::string lockFile = locks + "/LCK..ttyUSB0";
    qputenv("COMTEST_DEVICE_ROOT", QByteArray::fromStdString(tree_.Root()));
    const auto unset = qScopeGuard([] { qunsetenv("COMTEST_DEVICE_ROOT"); });
    ASSERT_TRUE(std::filesystem::create_directories(locks));
    ASSERT_TRUE(PumpUntil([&] { return monitor_->DeviceAt(1).has_value(); }));

    const auto run = [](const QString& program, const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        process->start(program, arguments);
        process->waitForStarted();
        return process;
    };
    const auto writeLock = [&](qint64 pid) {
        std::ofstream(lockFile) << std::setw(10) << pid << "\n";
    };
    struct Case {
        const char* what;
        // Starts the holder; answers its process id and command name.
        std::function<std::pair<pid_t, std::string>()> hold;
        bool refused;
    };
    std::unique_ptr<QProcess> process;
    pid_t child = 0;
    const Case cases[] = {
        {"an flock lock",
         [&] {
             child = HoldOpen(node, Hold::Flock);
             return std::pair{child, CommandName(child)};
         },
         true},
        {"a plain reader",
         [&] {
             process = run("cat", {QString::fromStdString(node)});
             return std::pair{static_cast<pid_t>(process->processId()), std::string("cat")};
         },
         true},
        {"exclusive mode",
         [&] {
             child = HoldOpen(node, Hold::Exclusive);
             return std::pair{child, CommandName(child)};
         },
         true},
        {"a live UUCP lock",
         [&] {
             process = run("sleep", {"30"});
             writeLock(process->processId());
             return std::pair{static_cast<pid_t>(process->processId()), std::string("sleep")};
         },
         true},
        {"a stale UUCP lock",
         [&] {
             process = run("true", {});
             const auto pid = static_cast<pid_t>(process->processId());
             process->waitForFinished();
             writeLock(pid);
             return std::pair{pid, std::string()};
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto [pid, program] = c.hold();
        ASSERT_GT(pid, 0);
        const std::string who = program + " (process " + std::to_string(pid) + ")";
        if (c.refused) {
            ASSERT_TRUE(PumpUntil([&] { return !DeviceAccess::Holders(node).empty(); }));
        }
        termios before{};
        ASSERT_EQ(::tcgetattr(tree_.Far("ttyUSB0")->Master(), &before), 0);
        const int exclusiveBefore = ::geteuid() == 0 ? Exclusive(node) : -1;
        const std::string lockBefore = ReadFile(lockFile);

        NotifyRecorder recorder;
        Serial port(recorder.Handle());
        testsupport::StderrCapture capture;
        const bool opened = port.Open("Com1");
        const std::string err = capture.Take();
        termios after{};
        ASSERT_EQ(::tcgetattr(tree_.Far("ttyUSB0")->Master(), &after), 0);
        const std::string listed = PortListing::Rows(PortMap::Current())[0].state;
        const std::string lockWhileOpen = ReadFile(lockFile);
        port.Close();
        const int exclusiveAfter = ::geteuid() == 0 ? Exclusive(node) : -1;
        const std::string lockAfter = ReadFile(lockFile);
        if (process) {
            process->kill();
            process->waitForFinished();
            process.reset();
        }
        if (child > 0) Release(std::exchange(child, 0));
        std::filesystem::remove(lockFile);

        EXPECT_EQ(opened, !c.refused) << err;
        if (c.refused) {
            EXPECT_NE(err.find("is in use by another program: " + who), std::string::npos) << err;
            EXPECT_EQ(listed.rfind("held by " + who, 0), 0u) << listed;
            // Refused, the device is as the holder left it.
            EXPECT_EQ(after.c_lflag, before.c_lflag);
            EXPECT_EQ(after.c_cflag, before.c_cflag);
            EXPECT_EQ(exclusiveAfter, exclusiveBefore) << "exclusive mode cleared";
            EXPECT_EQ(lockAfter, lockBefore);
        } else {
            // The stale lock was replaced by comtest's own while open.
            char own[16];
            std::snprintf(own, sizeof own, "%10d\n", static_cast<int>(::getpid()));
            EXPECT_EQ(lockWhileOpen, own);
            EXPECT_EQ(lockAfter, "") << "the lock outlived the port";
        }
    }

    // Without a lock folder the port opens all the same and takes no lock.
    std::filesystem::remove_all(tree_.Root() + "/var");
    Serial port(0);
    EXPECT_TRUE(port.Open("Com1")) << port.ErrorDesc();
}

TEST_F(SerialReturnTest, PermissionNamesTheGroupOnlyWhereJoiningItHelps) {
    // A user who is in none of the device's groups: a child process that
    // gives up root. Joining the group is advice only where the group may
    // read and write the node and is not root's.
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give the device another owner and group and to start a "
                        "process as another user";
    tree_.AddUsb("ttyUSB0");
    const std::string node = tree_.Node("ttyUSB0");
    const std::string pts = tree_.Far("ttyUSB0")->Path();
    struct stat info {};
    ASSERT_EQ(::stat(pts.c_str(), &info), 0);
    // The tree's folders are the test's own; only the device is shut.
    std::filesystem::permissions(tree_.Root(), std::filesystem::perms(0755));
    const group* dialout = ::getgrnam("dialout");
    const gid_t serialGroup = dialout != nullptr ? dialout->gr_gid : 5;
    const std::string groupName = ::getgrgid(serialGroup) ? ::getgrgid(serialGroup)->gr_name : "";
    const std::string ownerOnly =
        "permission denied: " + node +
        " is open for reading and writing to root only; an administrator can give it "
        "group dialout with a udev rule: KERNEL==\"ttyUSB0\", "
        "GROUP=\"dialout\", MODE=\"0660\"";
    struct Case {
        mode_t mode;
        gid_t group;
        std::string path;
        std::string reason;
    };
    const Case cases[] = {
        {0660, serialGroup, node,
         "permission denied: " + node + " belongs to group " + groupName +
             "; join that group (sudo usermod -aG " + groupName + " $USER), then log in again"},
        {0600, 0, node, ownerOnly},
        {0640, serialGroup, node, ownerOnly},
        {0660, 0, node, ownerOnly},
        // No udev rule for a pseudo-terminal given by its own path.
        {0600, 0, pts,
         "permission denied: " + pts + " is open for reading and writing to root only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " group " + std::to_string(c.group));
        ASSERT_EQ(::chown(pts.c_str(), 0, c.group), 0);
        ASSERT_EQ(::chmod(pts.c_str(), c.mode), 0);
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            PosixLine line;
            const auto opened = line.Open(c.path);
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
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(reason, c.reason);
    }
    (void)!::chown(pts.c_str(), info.st_uid, info.st_gid);
    ::chmod(pts.c_str(), info.st_mode & 07777);
}

}  // namespace
}  // namespace serial
