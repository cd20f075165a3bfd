#include "platform/serial/PortListing.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "DeviceTree.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"

namespace serial {
namespace {

using testing::DeviceTree;

TEST(PortListingTest, ListsNumberedAndMappedPortsWithTheirState) {
    DeviceTree tree;
    QTemporaryDir store;
    ASSERT_TRUE(tree.Ok() && store.isValid());
    tree.AddUart("ttyS0");
    tree.AddUart("ttyS1", 0);
    tree.AddUsb("ttyUSB0");
    PortMap map([](const std::string& name) -> std::optional<std::string> {
        if (name == "COMTEST_COM7") return "/nonexistent/ttyX";
        return std::nullopt;
    });
    std::string error;
    ASSERT_TRUE(map.AddMapping("Com5=loop", error));
    map.SetDevices(
        std::make_shared<DeviceMonitor>(tree.Root(), store.filePath("registry.ini").toStdString()));

    const std::string s0 = tree.Node("ttyS0");
    const std::string usb0 = tree.Node("ttyUSB0");
    const std::vector<PortListing::Row> expected{
        {"Com1", s0, "built-in UART", "free"},
        {"Com2", usb0, "FT232R USB UART, FTDI", "free"},
        {"Com5", "loop", "built-in loopback line", "free"},
        {"Com7", "/nonexistent/ttyX", "mapped device", "missing"},
    };
    const auto rows = PortListing::Rows(map);
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].port);
        EXPECT_EQ(rows[i].port, expected[i].port);
        EXPECT_EQ(rows[i].device, expected[i].device);
        EXPECT_EQ(rows[i].description, expected[i].description);
        EXPECT_EQ(rows[i].state, expected[i].state);
    }
}

TEST(PortListingTest, TextAlignsTheColumns) {
    const std::vector<PortListing::Row> rows{
        {"Com1", "/dev/ttyS0", "built-in UART", "free"},
        {"Com12", "/dev/ttyUSB0", "FT232R USB UART, FTDI", "held by minicom (process 42)"},
    };
    EXPECT_EQ(PortListing::Text(rows),
              "Com1   /dev/ttyS0    built-in UART          free\n"
              "Com12  /dev/ttyUSB0  FT232R USB UART, FTDI  held by minicom (process 42)\n");
    EXPECT_EQ(PortListing::Text({}), "");
}

}  // namespace
}  // namespace serial
