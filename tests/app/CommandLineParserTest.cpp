#include "app/CommandLineParser.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace app {
namespace {

using Mode = CommandLineOptions::Mode;

struct ParseCase {
    QStringList args;  // after the program's name
    Mode mode;
    // Port and the device it maps to afterwards; empty when not checked.
    const char* port = "";
    const char* device = "";
};

// A map over an environment that maps Com2, so the cases show what the
// command line adds to it.
serial::PortMap BaseMap() {
    return serial::PortMap([](const std::string& name) -> std::optional<std::string> {
        if (name == "COMTEST_COM2") return std::string("/dev/from-env");
        return std::nullopt;
    });
}

TEST(CommandLineParserTest, ReadsModesAndPortMappings) {
    const ParseCase cases[] = {
        {{}, Mode::Window, "Com1", "/dev/ttyS0"},
        {{}, Mode::Window, "Com2", "/dev/from-env"},
        {{"--port", "Com1=loop"}, Mode::Window, "Com1", "loop"},
        {{"--port=Com1=/dev/x=y"}, Mode::Window, "Com1", "/dev/x=y"},
        {{"-port", "Com1=loop"}, Mode::Window, "com1", "loop"},
        {{"--port", "Com2=/dev/ttyUSB0"}, Mode::Window, "Com2", "/dev/ttyUSB0"},
        {{"--port", "Com1=/dev/a", "--port", "COM1=/dev/b"}, Mode::Window, "Com1", "/dev/b"},
        {{"--port", "Com1=/dev/a", "--port", "Com9=/dev/b"}, Mode::Window, "Com1", "/dev/a"},
        {{"--collect-publics", "--port", "Com3=loop"}, Mode::Window, "Com3", "loop"},
        {{"--help"}, Mode::Help},
        {{"-h"}, Mode::Help},
        {{"-help"}, Mode::Help},
        {{"--version"}, Mode::Version},
        {{"--version", "--version"}, Mode::Version},
        {{"--port", "Com1=loop", "--version"}, Mode::Version, "Com1", "loop"},
        {{"--check", "Com1", "--port", "Com1=loop"}, Mode::Check, "Com1", "loop"},
        {{"--list-ports", "--port", "Com4=loop"}, Mode::ListPorts, "Com4", "loop"},
        // Help wins over every other option, even a malformed value.
        {{"--version", "--help"}, Mode::Help},
        {{"--port", "Com0=x", "--help"}, Mode::Help},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const auto result =
            CommandLineParser(BaseMap()).Parse(QStringList{QStringLiteral("comtest")} + c.args);
        ASSERT_EQ(result.error, "");
        EXPECT_EQ(result.options.mode, c.mode);
        if (*c.port != '\0') {
            EXPECT_EQ(result.options.ports.DeviceFor(c.port), c.device);
        }
    }
}

TEST(CommandLineParserTest, WrongCommandLineGivesOneLinePointingAtHelp) {
    struct BadCase {
        QStringList args;
        std::string mentions;
    };
    const BadCase cases[] = {
        {{"--bogus"}, "unknown option 'bogus'"},
        {{"--port", "Com1=loop", "-x"}, "unknown option 'x'"},
        {{"--port"}, "missing value after '--port'"},
        {{"--port", "Com0=/dev/ttyUSB0"}, "bad --port value 'Com0=/dev/ttyUSB0'"},
        {{"--port", "Com1=loop", "--port=Com1"}, "bad --port value 'Com1'"},
        {{"--version=1"}, "unexpected value after '--version'"},
        {{"--collect-publics=no"}, "unexpected value after '--collect-publics'"},
        {{"Com1"}, "unexpected argument 'Com1'"},
        {{"--", "--help"}, "unexpected argument '--help'"},
        {{"--baud", "9600"}, "--baud N[,N...] works only with --check ComN"},
        {{"--json", "--version"}, "--json works only with --check ComN"},
        {{"--check", "Com1", "--version"}, "--version cannot be combined with --check ComN"},
        {{"--check", "Com1", "--baud", "9600,x"}, "bad --baud value 'x'"},
        {{"--check", "Com1", "--parity", "odd,none,evne"}, "bad --parity value 'evne'"},
        {{"--check", "Com1", "--bytes", "0"}, "bad --bytes value '0'"},
        {{"--check"}, "missing value after '--check'"},
        // Names that are no port, before any device is looked for.
        {{"--check", "foo"}, "bad --check value 'foo': not a port name (Com1 to Com255)"},
        {{"--check", "Com0"}, "bad --check value 'Com0': not a port name"},
        {{"--check", "Com256"}, "bad --check value 'Com256': not a port name"},
        {{"--check", "Com01"}, "bad --check value 'Com01': not a port name"},
        {{"--check", ""}, "bad --check value '': not a port name"},
        {{"--check", "Com1", "--to", "COM"}, "bad --to value 'COM': not a port name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const auto result = CommandLineParser(BaseMap()).Parse(QStringList{"comtest"} + c.args);
        const std::string hint = "; see comtest --help";
        EXPECT_EQ(result.error.rfind("comtest: " + c.mentions, 0), 0u) << result.error;
        EXPECT_TRUE(result.error.ends_with(hint)) << result.error;
        EXPECT_EQ(result.error.find('\n'), std::string::npos) << "one line";
    }
}

TEST(CommandLineParserTest, ReadsWhatShapesACheck) {
    const auto result = CommandLineParser(BaseMap()).Parse(
        {"comtest", "--check", "Com1", "--to", "Com2", "--baud", "115200,300", "--parity",
         "Even,none", "--data-bits", "7", "--stop-bits", "1.5,2", "--bytes", "64", "--json"});
    ASSERT_EQ(result.error, "");
    const check::CheckOptions& c = result.options.check;
    EXPECT_EQ(c.port, "Com1");
    EXPECT_EQ(c.to, "Com2");
    EXPECT_EQ(c.bauds, (std::vector<std::uint32_t>{115200, 300}));
    EXPECT_EQ(c.parities, (std::vector<std::uint8_t>{2, 0})) << "codes from the parity table";
    EXPECT_EQ(c.dataBits, (std::vector<std::uint8_t>{7}));
    EXPECT_EQ(c.stopBits, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(c.bytes, 64u);
    EXPECT_TRUE(c.json);
}

TEST(CommandLineParserTest, HelpFitsATerminalAndKeepsTheManualPageSections) {
    const std::string help = CommandLineParser::HelpText();
    ASSERT_EQ(help.rfind("Usage: comtest", 0), 0u);
    ASSERT_EQ(help.back(), '\n');
    std::istringstream lines(help);
    std::vector<std::string> headings;
    for (std::string line; std::getline(lines, line);) {
        // Columns, not bytes: the help is UTF-8.
        const auto columns = QString::fromStdString(line).size();
        EXPECT_LE(columns, 79) << line;
        if (!line.empty() && line[0] != ' ' && line.back() == ':') headings.push_back(line);
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"Options:", "Ports:", "Line check:",
                                                  "Environment:", "Files:", "Exit status:"}));
}

}  // namespace
}  // namespace app
