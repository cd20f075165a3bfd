#include "platform/serial/PortNumbering.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "DeviceTree.h"
#include "platform/os/RegistryStore.h"
#include "platform/serial/DeviceMonitor.h"
#include "platform/serial/PortMap.h"

namespace serial {
namespace {

using testing::DeviceTree;
using testing::PumpUntil;
using testing::UsbInfo;

SerialDevice Device(const std::string& identity) {
    SerialDevice device;
    device.identity = identity;
    return device;
}

TEST(PortNumberingTest, NewDevicesGetTheLowestFreeNumber) {
    struct Case {
        const char* what;
        PortNumbering::Table before;
        std::vector<std::string> present;
        PortNumbering::Table after;
    };
    PortNumbering::Table nine;
    for (int n = 1; n <= 9; ++n) nine[n] = "old" + std::to_string(n);
    PortNumbering::Table nineWithNew = nine;
    nineWithNew[4] = "new";
    PortNumbering::Table nineAndTenth = nine;
    nineAndTenth[10] = "new";
    std::vector<std::string> allOld;
    for (int n = 1; n <= 9; ++n) allOld.push_back("old" + std::to_string(n));
    std::vector<std::string> oldButFour = allOld;
    oldButFour.erase(oldButFour.begin() + 3);
    oldButFour.push_back("new");
    std::vector<std::string> allOldAndNew = allOld;
    allOldAndNew.push_back("new");

    const Case cases[] = {
        {"fresh machine, in the order given", {}, {"a", "b"}, {{1, "a"}, {2, "b"}}},
        {"known devices keep their numbers", {{3, "b"}}, {"a", "b"}, {{1, "a"}, {3, "b"}}},
        {"absent devices keep theirs too", {{1, "gone"}}, {"a"}, {{1, "gone"}, {2, "a"}}},
        {"a gap is filled first", {{1, "x"}, {3, "y"}}, {"a"}, {{1, "x"}, {2, "a"}, {3, "y"}}},
        {"list full: the first absent holder's number is reused", nine, oldButFour, nineWithNew},
        {"nine present: past the list", nine, allOldAndNew, nineAndTenth},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PortNumbering numbering(c.before);
        std::vector<SerialDevice> present;
        for (const auto& id : c.present) present.push_back(Device(id));
        numbering.Assign(present);
        EXPECT_EQ(numbering.Entries(), c.after);
    }
}

class DeviceMonitorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tree_.Ok());
        ASSERT_TRUE(store_.isValid());
    }
    std::string Store() const { return store_.filePath("registry.ini").toStdString(); }
    std::vector<std::pair<int, std::string>> Numbers(const DeviceMonitor& monitor) const {
        std::vector<std::pair<int, std::string>> numbers;
        for (const auto& entry : monitor.Present())
            numbers.emplace_back(entry.number, entry.device.name);
        return numbers;
    }

    DeviceTree tree_;
    QTemporaryDir store_;
};

TEST_F(DeviceMonitorTest, NumbersPersistAcrossRestartsAndUnplugging) {
    UsbInfo second;
    second.serialNumber = "B0";
    tree_.AddUsb("ttyUSB0");
    tree_.AddUart("ttyS0");
    tree_.AddUart("ttyS1", 0);
    {
        const DeviceMonitor first(tree_.Root(), Store());
        EXPECT_EQ(Numbers(first),
                  (std::vector<std::pair<int, std::string>>{{1, "ttyS0"}, {2, "ttyUSB0"}}));
    }
    // Restart with the first adapter moved to another socket (now ttyUSB1)
    // and a second one plugged in as ttyUSB0.
    tree_.Remove("ttyUSB0");
    tree_.AddUsb("ttyUSB0", second);
    UsbInfo moved;
    moved.socket = "2-1";
    tree_.AddUsb("ttyUSB1", moved);
    const DeviceMonitor restarted(tree_.Root(), Store());
    EXPECT_EQ(Numbers(restarted), (std::vector<std::pair<int, std::string>>{
                                      {1, "ttyS0"}, {2, "ttyUSB1"}, {3, "ttyUSB0"}}));
    EXPECT_EQ(os::RegistryStore(Store()).ReadValue(PortNumbering::kStoreKey, "Com3"),
              "usb:0403:6001:B0:if00");
}

TEST_F(DeviceMonitorTest, TwinsGetNumbersOfTheirOwnBySocket) {
    // Clones sharing a serial number, and serials alike but for punctuation.
    const UsbInfo twins[] = {{.serialNumber = "0001", .socket = "1-1"},
                             {.serialNumber = "0001", .socket = "1-2"},
                             {.serialNumber = "A 1", .socket = "2-1"},
                             {.serialNumber = "A/1", .socket = "2-2"},
                             {.serialNumber = "SOLO", .socket = "3-1"}};
    for (std::size_t i = 0; i < std::size(twins); ++i)
        tree_.AddUsb("ttyUSB" + std::to_string(i), twins[i], false);
    const std::vector<std::pair<int, std::string>> all{
        {1, "ttyUSB0"}, {2, "ttyUSB1"}, {3, "ttyUSB2"}, {4, "ttyUSB3"}, {5, "ttyUSB4"}};
    {
        const DeviceMonitor monitor(tree_.Root(), Store());
        EXPECT_EQ(Numbers(monitor), all);
        EXPECT_EQ(monitor.DeviceAt(2)->identity, "usb:0403:6001:0001:if00:at:1-2");
        EXPECT_EQ(monitor.DeviceAt(3)->identity, "usb:0403:6001:A_1:if00:at:2-1");
        EXPECT_EQ(monitor.DeviceAt(5)->identity, "usb:0403:6001:SOLO:if00");
    }
    // Restarted with one twin left: the kept numbers show it has a twin, so
    // it is still known by its socket and keeps its number.
    tree_.Remove("ttyUSB0");
    tree_.Remove("ttyUSB3");
    const DeviceMonitor restarted(tree_.Root(), Store());
    EXPECT_EQ(Numbers(restarted), (std::vector<std::pair<int, std::string>>{
                                      {2, "ttyUSB1"}, {3, "ttyUSB2"}, {5, "ttyUSB4"}}));
}

TEST_F(DeviceMonitorTest, PortMapResolvesNumbersAfterExplicitMappings) {
    tree_.AddUart("ttyS0");
    tree_.AddUsb("ttyUSB0");
    PortMap map([](const std::string& name) -> std::optional<std::string> {
        if (name == "COMTEST_COM2") return "/dev/from-env";
        return std::nullopt;
    });
    ASSERT_TRUE(map.AddMapping("Com1=loop"));
    map.SetDevices(std::make_shared<DeviceMonitor>(tree_.Root(), Store()));
    const std::string usb = tree_.Node("ttyUSB0");
    ASSERT_TRUE(map.AddMapping("Com4=" + usb));

    struct Case {
        std::string port, device, tooltip, identity;
    };
    const Case cases[] = {
        {"Com1", "loop", "built-in loopback line", ""},
        {"Com2", "/dev/from-env", "/dev/from-env", ""},
        {"Com3", "", "", ""},
        {"Com4", usb,
         "FT232R USB UART, FTDI, " + usb + ", serial A50285BI, usb-FTDI_A50285BI-if00-port0",
         "usb:0403:6001:A50285BI:if00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port);
        EXPECT_EQ(map.DeviceFor(c.port), c.device);
        EXPECT_EQ(map.Describe(c.port), c.tooltip);
        EXPECT_EQ(map.IdentityFor(c.port), c.identity);
    }
    // Without the overrides the numbers show through.
    PortMap plain([](const std::string&) { return std::optional<std::string>(); });
    plain.SetDevices(std::make_shared<DeviceMonitor>(tree_.Root(), Store()));
    EXPECT_EQ(plain.DeviceFor("Com1"), tree_.Node("ttyS0"));
    EXPECT_EQ(plain.Describe("Com1"), "built-in UART, " + tree_.Node("ttyS0"));
    EXPECT_EQ(plain.DeviceFor("Com2"), usb);
}

TEST_F(DeviceMonitorTest, FollowsPluggingWhileWatching) {
    DeviceMonitor monitor(tree_.Root(), Store());
    monitor.Watch();
    int changes = 0;
    QObject::connect(&monitor, &DeviceMonitor::Changed, [&] { ++changes; });
    tree_.AddUsb("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return monitor.DeviceAt(1).has_value(); }));
    EXPECT_EQ(monitor.DeviceAt(1)->name, "ttyUSB0");
    tree_.Remove("ttyUSB0");
    ASSERT_TRUE(PumpUntil([&] { return !monitor.DeviceAt(1).has_value(); }));
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace serial
