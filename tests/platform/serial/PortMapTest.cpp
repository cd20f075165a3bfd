#include "platform/serial/PortMap.h"

#include <gtest/gtest.h>

#include <map>

namespace serial {
namespace {

PortMap::EnvLookup FakeEnv(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const std::string& name) -> std::optional<std::string> {
        const auto it = vars.find(name);
        if (it == vars.end()) return std::nullopt;
        return it->second;
    };
}

struct MappingCase {
    const char* what;
    std::vector<std::string> args;
    std::map<std::string, std::string> env;
    std::string port;
    std::string device;
};

TEST(PortMapTest, ResolvesCommandLineThenEnvironmentThenDefault) {
    const MappingCase cases[] = {
        {"default first port", {"comtest"}, {}, "Com1", "/dev/ttyS0"},
        {"default ninth port", {"comtest"}, {}, "Com9", "/dev/ttyS8"},
        {"default past nine", {"comtest"}, {}, "Com12", "/dev/ttyS11"},
        {"name in any case", {"comtest"}, {}, "cOM3", "/dev/ttyS2"},
        {"environment", {"comtest"}, {{"COMTEST_COM3", "/dev/ttyUSB0"}}, "Com3", "/dev/ttyUSB0"},
        {"environment of another port",
         {"comtest"},
         {{"COMTEST_COM4", "/dev/ttyUSB0"}},
         "Com3",
         "/dev/ttyS2"},
        {"empty environment value ignored",
         {"comtest"},
         {{"COMTEST_COM3", ""}},
         "Com3",
         "/dev/ttyS2"},
        {"command line beats environment",
         {"comtest", "--port", "Com3=/dev/serial/by-id/usb-FTDI-if00"},
         {{"COMTEST_COM3", "/dev/ttyUSB0"}},
         "Com3",
         "/dev/serial/by-id/usb-FTDI-if00"},
        {"joined option form", {"comtest", "--port=Com2=loop"}, {}, "Com2", "loop"},
        {"last mapping wins",
         {"comtest", "--port", "Com1=/dev/a", "--port", "com1=/dev/b"},
         {},
         "Com1",
         "/dev/b"},
        {"path may contain '='", {"comtest", "--port", "Com5=/tmp/x=y"}, {}, "Com5", "/tmp/x=y"},
        {"not a port name", {"comtest"}, {}, "Foo", ""},
        {"empty name", {"comtest"}, {}, "", ""},
        {"port zero", {"comtest"}, {}, "Com0", ""},
        {"leading zero", {"comtest"}, {}, "Com01", ""},
        {"past 255", {"comtest"}, {}, "Com256", ""},
        {"trailing text", {"comtest"}, {}, "Com1x", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PortMap map(FakeEnv(c.env));
        auto args = c.args;
        std::string error;
        ASSERT_TRUE(map.TakeArguments(args, error)) << error;
        EXPECT_EQ(map.DeviceFor(c.port), c.device);
    }
}

TEST(PortMapTest, TakesPortOptionsAndKeepsOtherArgumentsInOrder) {
    PortMap map(FakeEnv({}));
    std::vector<std::string> args = {"comtest",   "-style", "--port",
                                     "Com2=loop", "fusion", "--port=Com3=/dev/ttyUSB1",
                                     "--verbose"};
    std::string error;
    ASSERT_TRUE(map.TakeArguments(args, error)) << error;
    EXPECT_EQ(args, (std::vector<std::string>{"comtest", "-style", "fusion", "--verbose"}));
    EXPECT_EQ(map.DeviceFor("Com2"), "loop");
    EXPECT_EQ(map.DeviceFor("Com3"), "/dev/ttyUSB1");
}

TEST(PortMapTest, RejectsMalformedValuesWithOneClearLine) {
    struct BadCase {
        std::vector<std::string> args;
        std::string mentions;
    };
    const BadCase cases[] = {
        {{"comtest", "--port"}, "needs a value"},
        {{"comtest", "--port", "Com3"}, "'Com3'"},
        {{"comtest", "--port", "Com3="}, "'Com3='"},
        {{"comtest", "--port", "=/dev/ttyUSB0"}, "'=/dev/ttyUSB0'"},
        {{"comtest", "--port", "Port3=/dev/ttyUSB0"}, "'Port3=/dev/ttyUSB0'"},
        {{"comtest", "--port", "Com0=/dev/ttyUSB0"}, "'Com0=/dev/ttyUSB0'"},
        {{"comtest", "--port=Com999=/dev/x"}, "'Com999=/dev/x'"},
        {{"comtest", "--port", "ComX=/dev/x"}, "'ComX=/dev/x'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        // A good mapping before the bad one must not stick either.
        PortMap map(FakeEnv({}));
        auto args = c.args;
        args.insert(args.begin() + 1, {"--port", "Com1=/dev/good"});
        const auto before = args;
        std::string error;
        EXPECT_FALSE(map.TakeArguments(args, error));
        EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
        EXPECT_NE(error.find("ComN=PATH"), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
        EXPECT_EQ(map.DeviceFor("Com1"), "/dev/ttyS0");
        EXPECT_EQ(args, before);
    }
}

TEST(PortMapTest, InstalledMapIsTheCurrentOne) {
    PortMap map(FakeEnv({}));
    std::string error;
    ASSERT_TRUE(map.AddMapping("Com4=/dev/ttyACM0", error)) << error;
    PortMap::Install(map);
    EXPECT_EQ(PortMap::Current().DeviceFor("Com4"), "/dev/ttyACM0");
    PortMap::Install(PortMap(FakeEnv({})));
    EXPECT_EQ(PortMap::Current().DeviceFor("Com4"), "/dev/ttyS3");
}

}  // namespace
}  // namespace serial
