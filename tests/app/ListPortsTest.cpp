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
#include "platform/serial/PortListing.h"

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
    const std::string ftdi = "FT232R USB UART, FTDI, serial A50285BI, usb-FTDI_A50285BI-if00-port0";
    const auto line = [&](const std::string& port, const std::string& device,
                          const std::string& what, const std::string& state) {
        const std::size_t width = std::max(usb.size(), std::string("/nonexistent/ttyX").size());
        return port + "  " + device + std::string(width - device.size() + 2, ' ') + what +
               std::string(ftdi.size() - what.size() + 2, ' ') + state + "\n";
    };
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, line("Com1", s0, "built-in UART", "free") +
                             line("Com2", usb, ftdi, "free") +
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

    // Twin adapters, one serial number between them, are both listed and
    // told apart by their sockets; a product name of 100 CJK characters
    // (300 bytes) is cut whole, at 85 characters.
    tree.Remove("ttyUSB1");
    std::string cjk;
    for (int i = 0; i < 100; ++i) cjk += "\u4e2d";
    tree.AddUsb("ttyUSB2", {.serialNumber = "0001", .product = cjk, .socket = "2-1"}, false);
    tree.AddUsb("ttyUSB3", {.serialNumber = "0001", .product = cjk, .socket = "2-2"}, false);
    const Listing twins = ListPorts(tree, store);
    EXPECT_EQ(twins.code, 0);
    std::string cut;
    for (int i = 0; i < 85; ++i) cut += "\u4e2d";
    for (const char* socket : {"2-1", "2-2"})
        EXPECT_NE(twins.out.find("  " + cut + ", FTDI, serial 0001, socket " + std::string(socket)),
                  std::string::npos)
            << twins.out;
}

TEST(ListPortsTest, CellsAreEscapedAndAlignedByTheirWidthOnATerminal) {
    struct Case {
        const char* what;
        std::string description;
        std::string shown;
        std::size_t columns;  // the description's width on a terminal
    };
    const Case cases[] = {
        {"ASCII", "FT232R", "FT232R", 6},
        {"Cyrillic, two bytes a character", "\u041f\u0440\u0438\u0431\u043e\u0440",
         "\u041f\u0440\u0438\u0431\u043e\u0440", 6},
        {"CJK, two columns a character", "\u4e32\u53e3", "\u4e32\u53e3", 4},
        {"a combining mark takes none", "e\u0301", "e\u0301", 1},
        {"C0 and DEL", "a\x1b[2Jb\x7f", "a\\x1b[2Jb\\x7f", 13},
        {"C1 control, as UTF-8",
         "a\xc2\x9b"
         "b",
         "a\\x9bb", 6},
        {"raw 0x9B byte",
         "a\x9b"
         "b",
         "a\\x9bb", 6},
        {"bidi override", "abc\u202edef", "abc\\u202edef", 12},
        {"bidi isolate", "\u2066x\u2069", "\\u2066x\\u2069", 13},
        {"cut inside a character", "ab\xe4\xb8", "ab\\xe4\\xb8", 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text = serial::PortListing::Text(
            {{"Com1", "/dev/x", c.description, "free"}, {"Com2", "/dev/y", "", "free"}});
        const std::string pad(c.columns + 2, ' ');
        EXPECT_EQ(text, "Com1  /dev/x  " + c.shown + "  free\nCom2  /dev/y  " + pad + "free\n");
    }
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
