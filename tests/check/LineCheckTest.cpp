// The line check against far ends of our own on pseudo-terminals: faults
// found as slips at their offset and against the setting they belong to, settings a pseudo-terminal
// refuses and the loopback line keeps, a cable of two lines joined by a relay, the JSON report
// against the table, and the share of nominal shown only where a wire paces the line.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "DeviceTree.h"
#include "FarEndThread.h"
#include "PtyPair.h"
#include "check/CheckTexts.h"
#include "check/LineCheck.h"
#include "check/Pattern.h"
#include "check/ReportJson.h"
#include "check/ReportTable.h"
#include "check/SettingsPlan.h"

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

// Columns of a lone port's table.
constexpr std::size_t kWrongColumn = 5;
constexpr std::size_t kFirstEventColumn = 6;

struct RowExpected {
    Verdict verdict;
    std::size_t received;  // in the setting's time
    std::size_t wrong;
    const char* firstEvent;  // as the table shows it
};

struct FaultCase {
    const char* name;
    Fault fault;
    std::size_t offset;
    std::chrono::milliseconds stall;
    std::vector<std::uint32_t> bauds;
    std::vector<RowExpected> rows;
    // Each row ends within this: a slip need not wait out the timeout (1.76 s
    // at 9600) once the pattern's last bytes came; a row at 38400 times out
    // at 0.6 s. A soak's row counts all its passes.
    double maxSeconds;
    std::size_t repeat = 0;  // a soak of this many passes; 0: none
};

class FaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultTest, ReportedAsSlipsAtTheirOffsetsAgainstTheSettingTheyBelongTo) {
    const auto& c = GetParam();
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map("Com1", pty.Path());
    FarEndThread far({{pty.Master(), pty.Master(), c.fault, c.offset, c.stall}});
    auto options = OneSetting();
    options.bauds = c.bauds;
    if (c.repeat > 0) options.repeat = c.repeat;
    const auto report = RunOn(options);
    const std::size_t passes = std::max<std::size_t>(c.repeat, 1);

    EXPECT_EQ(report.soak, c.repeat > 0);
    EXPECT_EQ(report.passes, passes);
    ASSERT_EQ(report.rows.size(), c.rows.size());
    const auto table = TableRows(ReportTable(report), report.rows.size());
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        SCOPED_TRACE(SettingsText(report.rows[i].requested));
        const auto& row = report.rows[i];
        const auto& want = c.rows[i];
        EXPECT_EQ(row.verdict, want.verdict);
        EXPECT_EQ(row.passes, passes);
        EXPECT_EQ(row.counts.sent, kBytes * passes);
        EXPECT_EQ(row.counts.received, want.received);
        EXPECT_EQ(row.counts.wrong, want.wrong);
        EXPECT_EQ(table[i].at(kWrongColumn), std::to_string(want.wrong));
        EXPECT_EQ(table[i].at(kFirstEventColumn), want.firstEvent);
        EXPECT_LT(row.seconds, c.maxSeconds);
    }
    const bool ok = std::all_of(c.rows.begin(), c.rows.end(),
                                [](const auto& r) { return r.verdict == Verdict::Ok; });
    EXPECT_EQ(report.ExitCode(), ok ? 0 : 1);
}

using std::chrono::milliseconds;
const std::vector<std::uint32_t> k38400{38400};
const std::vector<std::uint32_t> k9600{9600};
const std::vector<std::uint32_t> kTwoSettings{9600, 19200};
constexpr RowExpected kIntact{Verdict::Ok, kBytes, 0, "-"};

INSTANTIATE_TEST_SUITE_P(
    FarEnds, FaultTest,
    ::testing::Values(FaultCase{"Echo", Fault::None, 0, milliseconds(0), k38400, {kIntact}, 0.5},
                      FaultCase{"Drop",
                                Fault::Drop,
                                kOffset,
                                milliseconds(0),
                                k9600,
                                {{Verdict::Failed, kBytes - 1, 0, "1 missing at 500"}},
                                1.0},
                      FaultCase{"Flip",
                                Fault::Flip,
                                kOffset,
                                milliseconds(0),
                                k9600,
                                {{Verdict::Failed, kBytes, 1, "1 changed at 500"}},
                                1.0},
                      // The copy comes after the byte it copies: an extra byte before 501.
                      FaultCase{"Duplicate",
                                Fault::Duplicate,
                                kOffset,
                                milliseconds(0),
                                k9600,
                                {{Verdict::Failed, kBytes + 1, 0, "1 extra at 501"}},
                                1.0},
                      // Stalled and silent lines end at the timeout, not at the far end's pace.
                      FaultCase{"Stall",
                                Fault::Stall,
                                kOffset,
                                milliseconds(2000),
                                k38400,
                                {{Verdict::Failed, kOffset, 0, "500 missing at 500"}},
                                1.5},
                      FaultCase{"Silent",
                                Fault::Silent,
                                0,
                                milliseconds(0),
                                k38400,
                                {{Verdict::Failed, 0, 0, "1000 missing at 0"}},
                                1.5},
                      // The tail of 9600 comes 2 s late, during 19200, ahead of its bytes.
                      FaultCase{"StallAcrossTwoSettings",
                                Fault::Stall,
                                kOffset,
                                milliseconds(2000),
                                kTwoSettings,
                                {{Verdict::Failed, kOffset, 0, "500 late at 500"}, kIntact},
                                2.5},
                      // Every byte of 9600 comes 1.9 s late, none of 19200's.
                      FaultCase{"LateAcrossTwoSettings",
                                Fault::Late,
                                kBytes,
                                milliseconds(1900),
                                kTwoSettings,
                                {{Verdict::Failed, 0, 0, "1000 late at 0"},
                                 {Verdict::Failed, 0, 0, "1000 missing at 0"}},
                                2.5},
                      // The far end drops the 500th byte of all it gets: the first pass's.
                      FaultCase{"SoakOfThreePasses",
                                Fault::Drop,
                                kOffset,
                                milliseconds(0),
                                k38400,
                                {{Verdict::Failed, 3 * kBytes - 1, 0, "1 missing at 500"}},
                                1.5,
                                3}),
    [](const auto& param) { return std::string(param.param.name); });

// A soak for a time goes through the settings until the time is up, each
// row summing up its passes, and reports once.
TEST(LineCheckTest, ASoakForATimeEndsOnceItIsUp) {
    ScopedPortMap map("Com1", "loop");
    auto options = OneSetting();
    options.bauds = {38400, 19200};
    options.duration = std::chrono::seconds(1);
    const auto report = RunOn(options);

    EXPECT_TRUE(report.soak);
    EXPECT_GE(report.passes, 2u);
    EXPECT_GE(report.seconds, 1.0);
    EXPECT_LT(report.seconds, 3.0);
    ASSERT_EQ(report.rows.size(), 2u);
    for (const auto& row : report.rows) {
        EXPECT_EQ(row.verdict, Verdict::Ok);
        // The last pass may end early, at a setting after the time.
        EXPECT_GE(row.passes, report.passes);
        EXPECT_EQ(row.counts.received, row.passes * kBytes);
    }
    EXPECT_EQ(report.ExitCode(), 0);
    const std::string table = ReportTable(report);
    EXPECT_NE(table.find("soak: " + std::to_string(report.passes) + " passes in "),
              std::string::npos)
        << table;
}

// The UART's own loopback: a pseudo-terminal has none and is checked as
// before; where a failed row's port carried the setting through its own
// loopback, the plug or cable is at fault, else the port.
TEST(LineCheckTest, InternalLoopbackTellsThePortFromThePlug) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map("Com1", pty.Path());
    FarEndThread far({{pty.Master(), pty.Master(), Fault::Flip, 3}});
    auto options = OneSetting();
    options.internal = true;
    auto report = RunOn(options);
    ASSERT_EQ(report.rows.size(), 1u);
    EXPECT_FALSE(report.rows[0].internal);
    const std::string table = ReportTable(report);
    EXPECT_NE(table.find("internal loopback Com1: not supported (" +
                         std::string(std::strerror(ENOTTY)) + ")"),
              std::string::npos)
        << table;
    EXPECT_EQ(table.find("at fault"), std::string::npos) << "nothing to tell it from";

    // As a UART with a loopback would have it: its own row first.
    SettingResult uart = report.rows[0];
    uart.internal = true;
    uart.path = "Com1 (UART)";
    for (const bool uartCarried : {true, false}) {
        uart.verdict = uartCarried ? Verdict::Ok : Verdict::Failed;
        report.rows = {uart, report.rows.back()};
        const std::string said = ReportTable(report);
        EXPECT_NE(said.find(uartCarried ? "Com1 38400 8N1: the port carried it through its own "
                                          "loopback; the plug or cable is at fault"
                                        : "Com1 38400 8N1: Com1 failed through its own loopback "
                                          "as well; the port is at fault"),
                  std::string::npos)
            << said;
    }
}

// A wait that fails (here poll() refusing more descriptors than the process
// may hold) ends the setting with its reason at once, rather than trying
// again until the timeout.
TEST(LineCheckTest, AFailingWaitEndsTheSettingWithItsReason) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map("Com1", pty.Path());
    FarEndThread far({{pty.Master(), pty.Master()}});
    auto options = OneSetting();
    options.bauds = {9600};  // a timeout of 1.76 s
    LineCheck check(options, {});
    ASSERT_TRUE(check.Open());
    rlimit files{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &files), 0);
    rlimit one = files;
    one.rlim_cur = 1;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &one), 0);
    const auto report = check.Run();
    ::setrlimit(RLIMIT_NOFILE, &files);

    ASSERT_EQ(report.rows.size(), 1u);
    EXPECT_EQ(report.rows[0].verdict, Verdict::Failed);
    EXPECT_EQ(report.rows[0].failed, std::strerror(EINVAL));
    EXPECT_LT(report.rows[0].seconds, 1.0);
    EXPECT_NE(
        ReportTable(report).find("Com1 9600 8N1: waiting on the line failed (Invalid argument)"),
        std::string::npos)
        << ReportTable(report);
}

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

// Each end of a cable shows what it kept: here the loopback line keeps even
// parity where the pseudo-terminal at the other end keeps none.
TEST(LineCheckTest, ACableShowsWhatEachEndKept) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScopedPortMap map(
        std::vector<std::pair<std::string, std::string>>{{"Com1", "loop"}, {"Com2", pty.Path()}});
    auto options = OneSetting();
    options.to = "Com2";
    options.parities = {2};
    const auto report = RunOn(options);

    ASSERT_EQ(report.rows.size(), 2u);
    const auto table = TableRows(ReportTable(report), 2);
    const std::pair<std::string, std::string> kept[] = {{"38400 8E1", "38400 8N1"},
                                                        {"38400 8N1", "38400 8E1"}};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& row = report.rows[i];
        EXPECT_EQ(row.verdict, Verdict::Refused);
        ASSERT_TRUE(row.applied && row.appliedFar) << row.path;
        EXPECT_EQ(SettingsText(*row.applied), kept[i].first) << row.path;
        EXPECT_EQ(SettingsText(*row.appliedFar), kept[i].second) << row.path;
        ASSERT_EQ(table[i].size(), 13u) << row.path;
        EXPECT_EQ(table[i][2], kept[i].first);
        EXPECT_EQ(table[i][3], kept[i].second);
    }
    const auto json = QJsonDocument::fromJson(ReportJson(report)).object();
    EXPECT_EQ(json["settings"][0]["appliedFar"]["text"].toString().toStdString(), kept[0].second);
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
    ASSERT_EQ(report.flow.size(), 1u);
    EXPECT_EQ(FlowText(report.flow[0]).substr(0, 4), "ok (") << FlowText(report.flow[0]);
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
    options.internal = true;  // rows through the UART's own loopback too, where it has one
    const auto report = RunOn(options);

    ExpectEverySettingKeptAndAPlugsWiring(report);
    for (const auto& row : report.rows) {
        ASSERT_TRUE(row.errors.has_value());
        EXPECT_TRUE(row.errors->None()) << LineErrorsText(row.errors);
    }
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
        ASSERT_EQ(cells.size(), 12u) << i;  // no far end's column for a lone port
        EXPECT_EQ(cells[0], s["port"].toString().toStdString());
        EXPECT_EQ(cells[1], s["requested"]["text"].toString().toStdString());
        EXPECT_EQ(cells[2], s["applied"]["text"].toString().toStdString());
        EXPECT_EQ(cells[10], s["verdict"].toString().toStdString());
        EXPECT_TRUE(s["lineErrors"].isNull());
        if (s["verdict"] == "refused") continue;
        EXPECT_EQ(cells[3], std::to_string(s["sent"].toInteger()));
        EXPECT_EQ(cells[4], std::to_string(s["received"].toInteger()));
        EXPECT_EQ(cells[5], std::to_string(s["wrong"].toInteger()));
        const auto first = s["events"].toArray().first().toObject();
        EXPECT_EQ(cells[6], std::to_string(first["count"].toInteger()) + " " +
                                first["kind"].toString().toStdString() + " at " +
                                std::to_string(first["offset"].toInteger()));
        EXPECT_EQ(cells[9], "not kept");
        EXPECT_EQ(s["paced"].toBool(), cells[8].ends_with("%")) << cells[8];
    }
    // The one dropped byte, with the bytes around it as sent and as they came.
    const auto dropped = settings[1].toObject();
    EXPECT_EQ(dropped["firstDifference"].toInteger(), 3);
    EXPECT_EQ(dropped["missing"].toInteger(), 1);
    EXPECT_EQ(dropped["eventCount"].toInteger(), 1);
    const auto slip = dropped["events"].toArray().first().toObject();
    EXPECT_EQ(slip["kind"].toString(), "missing");
    EXPECT_EQ(slip["receivedOffset"].toInteger(), 3);
    // Three bytes before it, the byte lost, four after; none lost where it came.
    const auto expected = slip["expected"].toString().toStdString();
    const auto got = slip["received"].toString().toStdString();
    EXPECT_EQ(expected.size(), std::string("00 11 22 [33] 44 55 66 77").size()) << expected;
    EXPECT_EQ(got.substr(0, 9), expected.substr(0, 9)) << got;
    EXPECT_EQ(got.substr(9), "[] " + expected.substr(14)) << got;
    const auto modem = root["modemLines"].toArray()[0].toObject();
    EXPECT_FALSE(modem["supported"].toBool());
    const auto flow = root["flowControl"].toArray()[0].toObject();
    EXPECT_FALSE(flow["supported"].toBool());
    EXPECT_EQ(flow["reason"].toString(), modem["reason"].toString());
}

// What a port of a pacing case is: a serial device of a tree of the test's
// own, a bare pseudo-terminal, or the built-in loopback line.
enum class Line { Device, PseudoTerminal, Loop };

struct PacingCase {
    const char* name;
    std::vector<Line> ports;  // one, or both ends of a cable
    // The share of the nominal rate a lone port's far end echoes at, as a
    // wire would pace it; 0: as fast as it can.
    double pace;
    const char* share;  // how the "of nominal" cells end
    Verdict verdict;
};

class PacingTest : public ::testing::TestWithParam<PacingCase> {};

TEST_P(PacingTest, ShareOfNominalAndRateJudgedOnlyWhereAWirePacesBothEnds) {
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
    if (a != Line::Loop)
        routes.push_back({masters.at(a),
                          masters.at(b),
                          Fault::None,
                          0,
                          {},
                          c.pace * NominalRate(*PlanSettings(options, {}).begin())});
    if (a != b) routes.push_back({masters.at(b), masters.at(a)});
    FarEndThread far(routes);
    const auto report = RunOn(options);

    const auto table = TableRows(ReportTable(report), report.rows.size());
    ASSERT_EQ(table.size(), c.ports.size());
    const std::size_t shareColumn = a != b ? 9 : 8;  // after a cable's far end's column
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(report.rows[i].verdict, c.verdict) << i << " " << table[i].at(shareColumn);
        EXPECT_TRUE(table[i].at(shareColumn).ends_with(c.share)) << table[i].at(shareColumn);
    }
    EXPECT_EQ(report.ExitCode(), c.verdict == Verdict::Ok ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PacingTest,
    ::testing::Values(
        PacingCase{"SerialDevice", {Line::Device}, 1.0, "%", Verdict::Ok},
        // A wrong divisor: every byte comes, at 60 % of the rate.
        PacingCase{"SerialDeviceOffItsRate", {Line::Device}, 0.6, "%", Verdict::RateOff},
        // Far ends without a wire answer at once: no rate to judge.
        PacingCase{"PseudoTerminal", {Line::PseudoTerminal}, 0, "no wire", Verdict::Ok},
        PacingCase{"LoopbackLine", {Line::Loop}, 0, "no wire", Verdict::Ok},
        PacingCase{"DeviceCabledToPseudoTerminal",
                   {Line::Device, Line::PseudoTerminal},
                   0,
                   "no wire",
                   Verdict::Ok}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace check
