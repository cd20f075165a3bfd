#include "platform/serial/DeviceScanner.h"

#include <gtest/gtest.h>

#include "DeviceTree.h"

namespace serial {
namespace {

using testing::DeviceTree;
using testing::UsbInfo;

TEST(DeviceScannerTest, FindsSerialDevicesAndWhatTheyAre) {
    DeviceTree tree;
    ASSERT_TRUE(tree.Ok());
    tree.AddUart("ttyS10");
    tree.AddUart("ttyS1", 0);  // a name without a UART
    tree.AddUart("ttyS2");
    tree.AddUsb("ttyUSB0");
    UsbInfo acm{"2341", "0043", "", "", "", "1-2", "01", true};
    tree.AddUsb("ttyACM0", acm, false);
    tree.AddVirtual("tty1");

    struct Expected {
        std::string name;
        SerialDevice::Kind kind;
        std::string identity;
        std::string description;
        bool byId;
    };
    const Expected expected[] = {
        {"ttyS2", SerialDevice::Kind::Uart, "uart:ttyS2", "built-in UART", false},
        {"ttyS10", SerialDevice::Kind::Uart, "uart:ttyS10", "built-in UART", false},
        {"ttyACM0", SerialDevice::Kind::Usb, "usb:2341:0043:at:1-2:if01",
         "USB serial device 2341:0043", false},
        {"ttyUSB0", SerialDevice::Kind::Usb, "usb:0403:6001:A50285BI:if00", "FT232R USB UART, FTDI",
         true},
    };
    const DeviceScanner scanner(tree.Root());
    const auto found = scanner.Scan();
    ASSERT_EQ(found.size(), std::size(expected));
    for (std::size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(found[i].name, expected[i].name);
        EXPECT_EQ(found[i].node, tree.Node(expected[i].name));
        EXPECT_EQ(found[i].kind, expected[i].kind);
        EXPECT_EQ(found[i].identity, expected[i].identity);
        EXPECT_EQ(found[i].Description(), expected[i].description);
        EXPECT_EQ(!found[i].byId.empty(), expected[i].byId);
        EXPECT_TRUE(scanner.HasDevice(found[i].node));
    }
    EXPECT_TRUE(scanner.HasDevice(tree.Root() + "/dev/serial/by-id/usb-FTDI_A50285BI-if00-port0"));
    EXPECT_FALSE(scanner.HasDevice(tree.Node("tty1"))) << "a console has no device";
    EXPECT_FALSE(scanner.HasDevice(tree.Far("ttyUSB0")->Path())) << "nor has a pseudo-terminal";
}

TEST(DeviceScannerTest, SameAdapterInAnotherSocketKeepsItsIdentity) {
    DeviceTree tree;
    UsbInfo usb;
    tree.AddUsb("ttyUSB0", usb);
    const auto before = DeviceScanner(tree.Root()).Scan();
    tree.Remove("ttyUSB0");
    usb.socket = "3-4.1";
    tree.AddUsb("ttyUSB1", usb);
    const auto after = DeviceScanner(tree.Root()).Scan();
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].identity, before[0].identity);
    EXPECT_EQ(after[0].name, "ttyUSB1");
}

TEST(DeviceScannerTest, EmptyOrMissingTreeHasNoDevices) {
    EXPECT_TRUE(DeviceScanner("/nonexistent-tree").Scan().empty());
    DeviceTree tree;
    EXPECT_TRUE(DeviceScanner(tree.Root()).Scan().empty());
}

}  // namespace
}  // namespace serial
