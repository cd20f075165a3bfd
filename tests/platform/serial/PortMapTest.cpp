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
    std::vector<std::string> mappings;  // --port values, in order
    std::map<std::string, std::string> env;
    std::string port;
    std::string device;
};

TEST(PortMapTest, ResolvesCommandLineThenEnvironmentThenDefault) {
    const MappingCase cases[] = {
        {"default first port", {}, {}, "Com1", "/dev/ttyS0"},
        {"default ninth port", {}, {}, "Com9", "/dev/ttyS8"},
        {"default past nine", {}, {}, "Com12", "/dev/ttyS11"},
        {"name in any case", {}, {}, "cOM3", "/dev/ttyS2"},
        {"environment", {}, {{"COMTEST_COM3", "/dev/ttyUSB0"}}, "Com3", "/dev/ttyUSB0"},
        {"environment of another port",
         {},
         {{"COMTEST_COM4", "/dev/ttyUSB0"}},
         "Com3",
         "/dev/ttyS2"},
        {"empty environment value ignored", {}, {{"COMTEST_COM3", ""}}, "Com3", "/dev/ttyS2"},
        {"command line beats environment",
         {"Com3=/dev/serial/by-id/usb-FTDI-if00"},
         {{"COMTEST_COM3", "/dev/ttyUSB0"}},
         "Com3",
         "/dev/serial/by-id/usb-FTDI-if00"},
        {"last mapping wins", {"Com1=/dev/a", "com1=/dev/b"}, {}, "Com1", "/dev/b"},
        {"path may contain '='", {"Com5=/tmp/x=y"}, {}, "Com5", "/tmp/x=y"},
        {"not a port name", {}, {}, "Foo", ""},
        {"empty name", {}, {}, "", ""},
        {"port zero", {}, {}, "Com0", ""},
        {"leading zero", {}, {}, "Com01", ""},
        {"past 255", {}, {}, "Com256", ""},
        {"trailing text", {}, {}, "Com1x", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PortMap map(FakeEnv(c.env));
        for (const auto& mapping : c.mappings) ASSERT_TRUE(map.AddMapping(mapping)) << mapping;
        EXPECT_EQ(map.DeviceFor(c.port), c.device);
    }
}

TEST(PortMapTest, RejectsMalformedValuesWithOneClearLine) {
    const char* const values[] = {
        "Com3",          "Com3=",       "=/dev/ttyUSB0", "Port3=/dev/ttyUSB0", "Com0=/dev/ttyUSB0",
        "Com999=/dev/x", "ComX=/dev/x",
    };
    for (const std::string value : values) {
        SCOPED_TRACE(value);
        PortMap map(FakeEnv({}));
        const auto added = map.AddMapping(value);
        ASSERT_FALSE(added);
        const std::string& error = added.Error();
        EXPECT_NE(error.find("'" + value + "'"), std::string::npos) << error;
        EXPECT_NE(error.find("ComN=PATH"), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
        // A bare reason: the program's name goes before it only where the
        // line is written to standard error.
        EXPECT_EQ(error.rfind("bad --port value '", 0), 0u) << error;
        EXPECT_EQ(map.DeviceFor("Com3"), "/dev/ttyS2") << "the map is left as it was";
    }
}

}  // namespace
}  // namespace serial
