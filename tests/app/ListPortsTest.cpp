// `comtest --list-ports` run as a user runs it, on a device tree of its own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>

#include "DeviceTree.h"

namespace app {
namespace {

using serial::testing::DeviceTree;

struct Listing {
    int code = -1;
    std::string out, err;
};

Listing ListPorts(const DeviceTree& tree, const QString& store, const QStringList& extra = {}) {
    auto env = QProcessEnvironment::systemEnvironment();
    // No display platform: the listing must not need one.
    env.insert("QT_QPA_PLATFORM", "none-such");
    env.insert("COMTEST_DEVICE_ROOT", QString::fromStdString(tree.Root()));
    env.insert("COMTEST_REGISTRY", store);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(COMTEST_PROGRAM), QStringList{"--list-ports"} + extra);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "the program did not end";
    }
    Listing listing;
    listing.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    listing.out = process.readAllStandardOutput().toStdString();
    listing.err = process.readAllStandardError().toStdString();
    return listing;
}

TEST(ListPortsTest, PrintsOneLinePerPortAndKeepsTheNumbers) {
    DeviceTree tree;
    QTemporaryDir dir;
    ASSERT_TRUE(tree.Ok() && dir.isValid());
    const QString store = dir.filePath("registry.ini");

    const Listing none = ListPorts(tree, store);
    EXPECT_EQ(none.code, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "comtest: no serial ports found\n");

    tree.AddUsb("ttyUSB0");
    tree.AddUart("ttyS0");
    const std::string s0 = tree.Node("ttyS0");
    const std::string usb = tree.Node("ttyUSB0");
    const Listing first =
        ListPorts(tree, store, {"--port", "Com4=loop", "--port", "Com7=/nonexistent/ttyX"});
    const auto line = [&](const std::string& port, const std::string& device,
                          const std::string& what, const std::string& state) {
        const std::size_t width = std::max(usb.size(), std::string("/nonexistent/ttyX").size());
        return port + "  " + device + std::string(width - device.size() + 2, ' ') + what +
               std::string(std::string("built-in loopback line").size() - what.size() + 2, ' ') +
               state + "\n";
    };
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, line("Com1", s0, "built-in UART", "free") +
                             line("Com2", usb, "FT232R USB UART, FTDI", "free") +
                             line("Com4", "loop", "built-in loopback line", "free") +
                             line("Com7", "/nonexistent/ttyX", "mapped device", "missing"));

    // Another run, the adapter pulled: its number stays taken for it. The
    // new one names itself with terminal control codes, which are shown, not
    // sent to the terminal.
    tree.Remove("ttyUSB0");
    tree.AddUsb("ttyUSB1", {.serialNumber = "NEW", .product = "UART\x1b]0;title\x07"});
    const Listing second = ListPorts(tree, store);
    EXPECT_EQ(second.code, 0);
    EXPECT_NE(second.out.find("Com3  " + tree.Node("ttyUSB1")), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("UART\\x1b]0;title\\x07, FTDI"), std::string::npos) << second.out;
    EXPECT_EQ(second.out.find_first_of("\x1b\x07"), std::string::npos) << second.out;
    EXPECT_EQ(second.out.find("Com2"), std::string::npos) << second.out;
}

// A settings file that is a FIFO: read without waiting for a writer, given
// up with one line when it does not end, and never replaced by a file.
TEST(ListPortsTest, ASettingsFileThatDoesNotEndIsGivenUpWithOneLine) {
    DeviceTree tree;
    QTemporaryDir dir;
    ASSERT_TRUE(tree.Ok() && dir.isValid());
    // A device to number: the numbering would be stored.
    tree.AddUsb("ttyUSB0");
    const QString store = dir.filePath("settings.fifo");
    ASSERT_EQ(::mkfifo(store.toLocal8Bit().constData(), 0600), 0);
    const std::string row = "Com1  " + tree.Node("ttyUSB0");

    // Nobody writes: the file ends at once, empty, and takes no number.
    const Listing unwritten = ListPorts(tree, store);
    EXPECT_EQ(unwritten.code, 0);
    EXPECT_EQ(unwritten.err, "comtest: cannot keep port numbers in " + store.toStdString() + "\n");
    EXPECT_EQ(unwritten.out.rfind(row, 0), 0u) << unwritten.out;

    // A writer that never writes nor closes it.
    const int writer = ::open(store.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    const Listing silent = ListPorts(tree, store);
    ::close(writer);
    EXPECT_EQ(silent.code, 0);
    EXPECT_EQ(silent.err, "comtest: cannot read the settings file " + store.toStdString() +
                              ": the read did not end within a second\n");
    EXPECT_EQ(silent.out.rfind(row, 0), 0u) << silent.out;

    struct stat info {};
    ASSERT_EQ(::stat(store.toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

}  // namespace
}  // namespace app
