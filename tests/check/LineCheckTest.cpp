// The line check against far ends of our own on pseudo-terminals: faults
// found at their offset, settings a pseudo-terminal refuses and the loopback
// line keeps, a cable of two lines joined by a relay, the JSON report against
// the table, and the share of nominal shown only where a wire paces the line.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <cstdlib>
#include <map>
#include <sstream>

#include "DeviceTree.h"
#include "FarEndThread.h"
#include "PtyPair.h"
#include "check/CheckTexts.h"
#include "check/LineCheck.h"
#include "check/ReportJson.h"
#include "check/ReportTable.h"

namespace check {
namespace {

using serial::testing::DeviceTree;
using serial::testing::PtyPair;
using serial::testing::ScopedPortMap;
using testing::FarEndThread;
using testing::Fault;
using testing::Route;

constexpr std::size_t kBytes = 1000;
constexpr std::size_t kOffset = 500;

CheckOptions OneSetting(std::vector<std::uint8_t> dataBits = {}) {
    CheckOptions o;
    o.port = "Com1";
    o.bauds = {38400};  // a timeout of 0.6 s for kBytes: ample for a loaded machine
    o.dataBits = std::move(dataBits);
    o.bytes = kBytes;
    return o;
}

CheckReport RunOn(const CheckOptions& options) {
    LineCheck check(options, {});
    const auto opened = check.Open();
    EXPECT_TRUE(opened) << opened.Error();
    return check.Run();
}

struct FaultCase {
    const char* name;
    Fault fault;
    Verdict verdict;
    std::size_t received;
    std::optional<std::size_t> firstDifference;
};

class FaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultTest, FoundAtItsOffsetWithinTheTimeout) {
    const auto& c = GetParam();
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map("Com1", pty.Path());
    FarEndThread far({{pty.Master(), pty.Master(), c.fault, kOffset, std::chrono::seconds(2)}});
    const auto report = RunOn(OneSetting());

    ASSERT_EQ(report.rows.size(), 1u);
    const auto& row = report.rows[0];
    EXPECT_EQ(row.verdict, c.verdict);
    EXPECT_EQ(row.counts.sent, kBytes);
    // A duplicate may come after the transfer stopped listening.
    if (c.fault == Fault::Duplicate) {
        EXPECT_GE(row.counts.received, c.received - 1);
    } else {
        EXPECT_EQ(row.counts.received, c.received);
    }
    EXPECT_EQ(row.counts.firstDifference, c.firstDifference);
    EXPECT_EQ(row.counts.missing, kBytes - std::min(kBytes, row.counts.received));
    if (c.fault == Fault::Flip) {
        EXPECT_EQ(row.counts.wrong, 1u);
    }
    // Stalled and silent lines end at the timeout, not at the far end's pace.
    EXPECT_LT(row.seconds, 1.5);
    EXPECT_EQ(report.ExitCode(), c.verdict == Verdict::Ok ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    FarEnds, FaultTest,
    ::testing::Values(FaultCase{"Echo", Fault::None, Verdict::Ok, kBytes, std::nullopt},
                      FaultCase{"Drop", Fault::Drop, Verdict::Failed, kBytes - 1, kOffset},
                      FaultCase{"Flip", Fault::Flip, Verdict::Failed, kBytes, kOffset},
                      FaultCase{"Duplicate", Fault::Duplicate, Verdict::Failed, kBytes + 1,
                                kOffset + 1},
                      FaultCase{"Stall", Fault::Stall, Verdict::Failed, kOffset, kOffset},
                      FaultCase{"Silent", Fault::Silent, Verdict::Failed, 0, 0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(LineCheckTest, SettingsAPseudoTerminalRefusesAreReportedAsRefused) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map("Com1", pty.Path());
    FarEndThread far({{pty.Master(), pty.Master()}});
    auto options = OneSetting({7, 8});
    options.parities = {0, 1};
    const auto report = RunOn(options);

    ASSERT_EQ(report.rows.size(), 4u);  // 7N1, 8N1, 7O1, 8O1
    for (const auto& row : report.rows) {
        const bool plain = row.requested.byteSize == 8 && row.requested.parity == 0;
        EXPECT_EQ(row.verdict, plain ? Verdict::Ok : Verdict::Refused)
            << SettingsText(row.requested);
        EXPECT_EQ(row.refusal.empty(), plain) << row.refusal;
        ASSERT_TRUE(row.applied.has_value()) << SettingsText(row.requested);
        EXPECT_EQ(row.applied->byteSize, 8);
        EXPECT_EQ(row.applied->parity, 0);
    }
    EXPECT_NE(report.rows[0].refusal.find("7 data bits (it keeps 8)"), std::string::npos)
        << report.rows[0].refusal;
    EXPECT_FALSE(report.rows[1].errors.has_value()) << "a pseudo-terminal keeps no error counters";
    ASSERT_EQ(report.modem.size(), 1u);
    EXPECT_NE(report.modem[0].unsupported, "");
    EXPECT_EQ(report.ExitCode(), 0) << "the one applied setting carried every byte";

    options.dataBits = {7};
    EXPECT_EQ(RunOn(options).ExitCode(), 1) << "nothing applied, nothing shown to work";
}

TEST(LineCheckTest, ADevicePulledFailsTheSettingThatFindsItGoneAndEndsTheRun) {
    struct Case {
        const char* name;
        std::size_t pullAtStep;  // 0: before the run, so that applying finds it gone
        std::size_t rows;
    };
    for (const auto& c : {Case{"BeforeApplying", 0, 1}, Case{"WhileSending", 2, 2}}) {
        PtyPair pty;
        ASSERT_TRUE(pty.Ok());
        ScopedPortMap map("Com1", pty.Path());
        auto options = OneSetting();
        options.bauds = {38400, 19200, 9600};
        options.bytes = 100;  // no far end answers: a fifth of a second a setting
        LineCheck check(options, {});
        ASSERT_TRUE(check.Open());
        if (c.pullAtStep == 0) pty.CloseFarEnd();
        std::size_t step = 0;
        const auto report = check.Run([&](const std::string&) {
            if (++step == c.pullAtStep) pty.CloseFarEnd();
        });

        ASSERT_EQ(report.rows.size(), c.rows) << c.name;
        for (std::size_t i = 0; i + 1 < c.rows; ++i) EXPECT_EQ(report.rows[i].lost, "") << c.name;
        EXPECT_EQ(report.rows.back().verdict, Verdict::Failed) << c.name;
        EXPECT_NE(report.rows.back().lost, "") << c.name;
        EXPECT_EQ(report.ExitCode(), 1) << c.name;
        EXPECT_NE(ReportTable(report).find(texts::kLost), std::string::npos) << c.name;
    }
}

TEST(LineCheckTest, CableChecksBothDirectionsEachOnItsOwn) {
    PtyPair a, b;
    ASSERT_TRUE(a.Ok() && b.Ok());
    ScopedPortMap map(
        std::vector<std::pair<std::string, std::string>>{{"Com1", a.Path()}, {"Com2", b.Path()}});
    FarEndThread relay({{a.Master(), b.Master(), Fault::Flip, 7}, {b.Master(), a.Master()}});
    auto options = OneSetting();
    options.to = "Com2";
    const auto report = RunOn(options);

    ASSERT_EQ(report.rows.size(), 2u);
    EXPECT_EQ(report.rows[0].path, "Com1>Com2");
    EXPECT_EQ(report.rows[0].verdict, Verdict::Failed);
    EXPECT_EQ(report.rows[0].counts.firstDifference, 7u);
    EXPECT_EQ(report.rows[1].path, "Com2>Com1");
    EXPECT_EQ(report.rows[1].verdict, Verdict::Ok);
    EXPECT_EQ(report.rows[1].counts.received, kBytes);
    ASSERT_EQ(report.modem.size(), 2u);
    EXPECT_EQ(report.modem[1].outputs, "Com2");
    EXPECT_EQ(report.modem[1].inputs, "Com1");
    EXPECT_EQ(report.ExitCode(), 1);
}

// What a check through a loopback plug finds: every setting applied as
// requested and carried, and the plug's wiring.
void ExpectEverySettingKeptAndAPlugsWiring(const CheckReport& report) {
    EXPECT_EQ(report.ExitCode(), 0);
    for (const auto& row : report.rows) {
        EXPECT_EQ(row.verdict, Verdict::Ok) << SettingsText(row.requested) << " " << row.refusal;
        ASSERT_TRUE(row.applied.has_value());
        EXPECT_EQ(SettingsText(*row.applied), SettingsText(row.requested));
    }
    ASSERT_EQ(report.modem.size(), 1u);
    EXPECT_EQ(report.modem[0].unsupported, "");
    EXPECT_EQ(report.modem[0].followRts, std::vector<std::string>{"CTS"});
    EXPECT_EQ(report.modem[0].followDtr, (std::vector<std::string>{"DSR", "DCD"}));
}

// The built-in loopback line stands for a port with a plug: it keeps every
// frame a pseudo-terminal refuses. It keeps no error counters.
TEST(LineCheckTest, LoopbackLineKeepsEverySettingLikeAPortWithAPlug) {
    ScopedPortMap map("Com1", "loop");
    auto options = OneSetting({7, 8});
    options.parities = {0, 1, 2, 3, 4};
    options.stopBits = {0, 1, 2};
    const auto report = RunOn(options);

    ASSERT_EQ(report.rows.size(), 30u);
    ExpectEverySettingKeptAndAPlugsWiring(report);
    for (const auto& row : report.rows) EXPECT_FALSE(row.errors.has_value());
}

// A real port with a loopback plug: every setting carried, error counters
// kept and still, and the plug's wiring found.
TEST(LineCheckTest, RealPortWithALoopbackPlug) {
    const char* device = std::getenv("COMTEST_TEST_PLUG");
    if (device == nullptr || *device == '\0')
        GTEST_SKIP() << "set COMTEST_TEST_PLUG to a serial device with a loopback plug "
                        "(TX-RX, RTS-CTS, DTR-DSR-DCD) to run this test";
    ScopedPortMap map("Com1", device);
    CheckOptions options;
    options.port = "Com1";
    options.bauds = {9600, 19200};
    options.parities = {0, 2};
    options.dataBits = {7, 8};
    const auto report = RunOn(options);

    ExpectEverySettingKeptAndAPlugsWiring(report);
    for (const auto& row : report.rows) {
        ASSERT_TRUE(row.errors.has_value());
        EXPECT_TRUE(row.errors->None()) << LineErrorsText(row.errors);
    }
}

// The table's cells of each row, split at the column gaps of two spaces.
std::vector<std::vector<std::string>> TableRows(const std::string& table, std::size_t count) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);  // headings
    while (rows.size() < count && std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::size_t pos = 0;
        while (pos < line.size()) {
            pos = line.find_first_not_of(' ', pos);
            const auto gap = line.find("  ", pos);
            cells.push_back(line.substr(pos, gap - pos));
            pos = gap;
        }
        rows.push_back(cells);
    }
    return rows;
}

TEST(LineCheckTest, JsonParsesAndAgreesWithTheTable) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map("Com1", pty.Path());
    FarEndThread far({{pty.Master(), pty.Master(), Fault::Drop, 3}});
    const auto report = RunOn(OneSetting({7, 8}));

    QJsonParseError error{};
    const auto json = QJsonDocument::fromJson(ReportJson(report), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const auto root = json.object();
    EXPECT_EQ(root["port"].toString(), "Com1");
    EXPECT_TRUE(root["to"].isNull());
    EXPECT_EQ(root["exitCode"].toInt(), 1);
    const auto settings = root["settings"].toArray();
    const auto table = TableRows(ReportTable(report), report.rows.size());
    ASSERT_EQ(settings.size(), 2);
    ASSERT_EQ(table.size(), 2u);
    for (qsizetype i = 0; i < settings.size(); ++i) {
        const auto s = settings[i].toObject();
        const auto& cells = table[static_cast<std::size_t>(i)];
        ASSERT_EQ(cells.size(), 12u) << i;
        EXPECT_EQ(cells[0], s["port"].toString().toStdString());
        EXPECT_EQ(cells[1], s["requested"]["text"].toString().toStdString());
        EXPECT_EQ(cells[2], s["applied"]["text"].toString().toStdString());
        EXPECT_EQ(cells[10], s["verdict"].toString().toStdString());
        EXPECT_TRUE(s["lineErrors"].isNull());
        if (s["verdict"] == "refused") continue;
        EXPECT_EQ(cells[3], std::to_string(s["sent"].toInteger()));
        EXPECT_EQ(cells[4], std::to_string(s["received"].toInteger()));
        EXPECT_EQ(cells[5], std::to_string(s["wrong"].toInteger()));
        EXPECT_EQ(cells[6], std::to_string(s["firstDifference"].toInteger()));
        EXPECT_EQ(cells[9], "not kept");
        EXPECT_EQ(s["paced"].toBool(), cells[8].ends_with("%")) << cells[8];
    }
    EXPECT_EQ(settings[1].toObject()["firstDifference"].toInteger(), 3);
    const auto modem = root["modemLines"].toArray()[0].toObject();
    EXPECT_FALSE(modem["supported"].toBool());
}

// What a port of a pacing case is: a serial device of a tree of the test's
// own, a bare pseudo-terminal, or the built-in loopback line.
enum class Line { Device, PseudoTerminal, Loop };

struct PacingCase {
    const char* name;
    std::vector<Line> ports;  // one, or both ends of a cable
    const char* share;        // how the "of nominal" cells end
};

class PacingTest : public ::testing::TestWithParam<PacingCase> {};

TEST_P(PacingTest, ShareOfNominalOnlyWhereAWirePacesBothEnds) {
    const auto& c = GetParam();
    DeviceTree tree;
    const PtyPair* device = tree.AddUsb("ttyUSB0");
    PtyPair pty;
    ASSERT_TRUE(tree.Ok() && pty.Ok());
    qputenv("COMTEST_DEVICE_ROOT", QByteArray::fromStdString(tree.Root()));
    const auto unset = qScopeGuard([] { qunsetenv("COMTEST_DEVICE_ROOT"); });
    const std::map<Line, std::string> paths{{Line::Device, tree.Node("ttyUSB0")},
                                            {Line::PseudoTerminal, pty.Path()},
                                            {Line::Loop, "loop"}};
    const std::map<Line, int> masters{{Line::Device, device->Master()},
                                      {Line::PseudoTerminal, pty.Master()}};
    const Line a = c.ports.front();
    const Line b = c.ports.back();
    ScopedPortMap map(std::vector<std::pair<std::string, std::string>>{{"Com1", paths.at(a)},
                                                                       {"Com2", paths.at(b)}});
    auto options = OneSetting();
    if (a != b) options.to = "Com2";
    // An echo at a lone port's far end, a relay between a cable's.
    std::vector<Route> routes;
    if (a != Line::Loop) routes.push_back({masters.at(a), masters.at(b)});
    if (a != b) routes.push_back({masters.at(b), masters.at(a)});
    FarEndThread far(routes);
    const auto report = RunOn(options);

    const auto table = TableRows(ReportTable(report), report.rows.size());
    ASSERT_EQ(table.size(), c.ports.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(report.rows[i].verdict, Verdict::Ok) << i;
        EXPECT_TRUE(table[i].at(8).ends_with(c.share)) << table[i].at(8);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, PacingTest,
                         ::testing::Values(PacingCase{"SerialDevice", {Line::Device}, "%"},
                                           PacingCase{
                                               "PseudoTerminal", {Line::PseudoTerminal}, "no wire"},
                                           PacingCase{"LoopbackLine", {Line::Loop}, "no wire"},
                                           PacingCase{"DeviceCabledToPseudoTerminal",
                                                      {Line::Device, Line::PseudoTerminal},
                                                      "no wire"}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace check
