#include "check/LineCheck.h"

#include <chrono>

#include "check/CheckTexts.h"
#include "check/FlowCheck.h"
#include "check/InternalLoop.h"
#include "check/ModemProbe.h"
#include "check/OwnBytes.h"
#include "check/Pattern.h"
#include "check/SettingsPlan.h"
#include "check/Transfer.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/SerialTexts.h"

namespace check {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

std::string SettingsText(const serial::LineSettings& s) {
    static constexpr char kParityLetters[] = "NOEMS";
    const char parity = s.parity < 5 ? kParityLetters[s.parity] : '?';
    return std::to_string(s.baud) + " " + std::to_string(s.byteSize) + parity +
           serial::StopBitsName(s.stopBits);
}

LineCheck::LineCheck(CheckOptions options, SweepTables tables)
    : options_(std::move(options)), tables_(std::move(tables)) {}

LineCheck::~LineCheck() {
    // The near ends close before their echoes stop.
    for (auto& port : ports_) port->line.Close();
}

rt::Expected<> LineCheck::Open() {
    ports_.clear();
    ports_.push_back(std::make_unique<Port>());
    ports_.back()->name = options_.port;
    if (options_.to) {
        ports_.push_back(std::make_unique<Port>());
        ports_.back()->name = *options_.to;
    }
    for (auto& port : ports_) {
        if (const auto opened = OpenPort(*port); !opened)
            return rt::Fail(port->name + ": " + opened.Error());
    }
    return {};
}

rt::Expected<> LineCheck::OpenPort(Port& port) {
    const serial::PortMap& map = serial::PortMap::Current();
    const std::string device = map.DeviceFor(port.name);
    if (device.empty()) return rt::Fail(std::string(map.UnmappedReason()));
    if (device != serial::texts::kLoopDevice) return port.line.Open(device);
    port.echo = std::make_unique<LoopbackEcho>();
    if (const auto created = port.echo->Create(); !created)
        return rt::Fail(std::string(serial::texts::kLoopbackFailed) + ": " + created.Error());
    if (auto opened = port.line.Open(port.echo->DevicePath()); !opened) return opened;
    port.line.AttachPlug(port.echo->Plug());
    port.echo->Start();
    return {};
}

CheckReport LineCheck::Run(const Progress& progress, os::StopSignals* stop) {
    CheckReport report;
    report.port = options_.port;
    report.to = options_.to;
    report.seed = options_.seed;
    if (ports_.empty()) return report;

    Port& a = *ports_.front();
    Port& b = *ports_.back();
    std::vector<Direction> directions;
    const auto add = [&](Port& tx, Port& rx, std::string path, bool internal) {
        directions.emplace_back();
        directions.back().tx = &tx;
        directions.back().rx = &rx;
        directions.back().path = std::move(path);
        directions.back().internal = internal;
    };
    // Through the UART's own loopback first, where a port offers it.
    for (auto& port : ports_) {
        if (!options_.internal) break;
        std::string why = SetInternalLoop(port->line.Handle(), true);
        if (why.empty()) why = SetInternalLoop(port->line.Handle(), false);
        if (why.empty())
            add(*port, *port, port->name + std::string(texts::kInternalSuffix), true);
        else
            report.noInternalLoop.emplace_back(port->name, why);
    }
    const std::size_t plugs = directions.size();
    if (&a == &b) {
        add(a, a, a.name, false);
    } else {
        add(a, b, a.name + ">" + b.name, false);
        add(b, a, b.name + ">" + a.name, false);
    }
    for (std::size_t i = plugs; i < directions.size(); ++i) {
        const Direction& d = directions[i];
        // The inputs of a line without a wire (the loopback line's plug)
        // follow at once: no settling time to wait out.
        auto modem = ProbeModem(d.tx->line, d.rx->line,
                                d.Paced() ? kModemSettle : std::chrono::milliseconds(0));
        modem.outputs = d.tx->name;
        modem.inputs = d.rx->name;
        report.modem.push_back(std::move(modem));
    }

    const auto plan = PlanSettings(options_, tables_);
    if (!plan.empty()) CheckFlowControl(plan.front(), directions, plugs, report, stop);
    report.soak = options_.repeat.has_value() || options_.duration.has_value();
    const auto began = Clock::now();
    std::optional<Clock::time_point> deadline;
    if (options_.duration) deadline = began + *options_.duration;
    for (std::size_t pass = 1;; ++pass) {
        const bool goOn = Pass(pass, plan, directions, report, progress, stop, deadline);
        if (!goOn) break;
        report.passes = pass;
        if (!report.soak || (options_.repeat && pass >= *options_.repeat) ||
            (deadline && Clock::now() >= *deadline))
            break;
    }
    for (auto& d : directions) Commit(d, report.rows);
    report.seconds = SecondsSince(began);
    return report;
}

bool LineCheck::Pass(std::size_t pass, const std::vector<serial::LineSettings>& plan,
                     std::vector<Direction>& directions, CheckReport& report,
                     const Progress& progress, os::StopSignals* stop,
                     std::optional<Clock::time_point> deadline) {
    const std::size_t steps = plan.size() * directions.size();
    const int stopHandle = stop != nullptr ? stop->Handle() : -1;
    const auto stopped = [&] {
        report.interrupted = report.interrupted || (stop != nullptr && stop->Caught());
        return report.interrupted;
    };
    std::size_t step = 0;
    const serial::LineSettings* previous = nullptr;
    for (const auto& s : plan) {
        if (stopped()) return false;
        // A soak ends with the first setting after its time, past the first pass.
        if (pass > 1 && deadline && Clock::now() >= *deadline) return false;
        const auto start = Clock::now();
        // Bytes still coming from the setting before are read off at its
        // settings until the line is quiet, and counted to it.
        for (auto& port : ports_) {
            const auto late = DrainUntilQuiet(
                port->line, QuietTime(previous != nullptr ? *previous : s, port->line.Paced()),
                kLongestDrain, stopHandle);
            if (port->last != nullptr) AddLate(*port->last, late);
        }
        previous = &s;
        const auto applied = Apply(s);
        std::string lost = applied ? std::string() : applied.Error();
        const std::string refusal = applied ? *applied : std::string();
        const double applySeconds = SecondsSince(start);
        for (auto& d : directions) {
            const std::size_t index = step++;
            if (progress) {
                std::string line = std::string(texts::kProgress) + d.path + " " + SettingsText(s) +
                                   " (" + std::to_string(index + 1) + "/" + std::to_string(steps) +
                                   ")";
                if (report.soak) line += std::string(texts::kProgressPass) + std::to_string(pass);
                progress(line);
            }
            SettingResult row = RowFor(d, s);
            const bool checked = lost.empty() && refusal.empty();
            if (!lost.empty()) {
                row.lost = lost;
                row.verdict = Verdict::Failed;
            } else if (checked) {
                row = Check(d, s, RowSeed(options_.seed, (pass - 1) * steps + index), stopHandle);
                if (stopped()) return false;
                d.rx->last = &d;
            } else {
                row.refusal = refusal;
                row.verdict = Verdict::Refused;
            }
            // The first direction carries the time the settings took.
            if (&d == &directions.front()) row.seconds += applySeconds;
            if (!row.lost.empty()) lost = row.lost;
            if (checked) {
                Commit(d, report.rows);
                d.pending = std::move(row);
                d.pendingIndex = index;
                Place(report.rows, index, SettingResult{});
            } else {
                Place(report.rows, index, row);
            }
        }
        // A device that is gone takes no further setting: the run ends
        // with the setting that found it gone.
        if (!lost.empty()) return false;
    }
    return true;
}

void LineCheck::CheckFlowControl(const serial::LineSettings& s,
                                 const std::vector<Direction>& directions, std::size_t first,
                                 CheckReport& report, os::StopSignals* stop) {
    // A device found gone here is found gone again by the first setting,
    // which reports it.
    if (!Apply(s)) return;
    for (std::size_t i = first; i < directions.size(); ++i) {
        const Direction& d = directions[i];
        bool stopped = false;
        const auto start = Clock::now();
        FlowResult flow = CheckFlow(d.tx->line, d.rx->line, s, RowSeed(~options_.seed, i),
                                    d.Paced() ? kModemSettle : std::chrono::milliseconds(0),
                                    stop != nullptr ? stop->Handle() : -1, stopped);
        if (stopped) {
            report.interrupted = true;
            return;
        }
        flow.path = d.path;
        flow.seconds = SecondsSince(start);
        report.flow.push_back(std::move(flow));
    }
}

rt::Expected<std::string> LineCheck::Apply(const serial::LineSettings& s) {
    std::string refusal;
    for (auto& port : ports_) port->applied.reset();
    for (auto& port : ports_) {
        const auto kept = port->line.Apply(s);
        // A device that refuses the call still shows what it keeps, and that
        // says more than the call's error (the C library fails a call that a
        // pseudo-terminal only partly took).
        port->applied = kept ? std::optional(*kept) : port->line.ReadBack();
        // A device that shows no settings at all is gone, not refusing.
        if (!kept && !port->applied) return rt::Fail(kept.Error());
        std::string why =
            port->applied ? serial::DescribeRefusal(port->line.Path(), s, *port->applied) : "";
        if (!kept && why.empty()) why = kept.Error();
        if (why.empty()) continue;
        if (!refusal.empty()) refusal += "; ";
        refusal += why;
    }
    return refusal;
}

SettingResult LineCheck::RowFor(const Direction& d, const serial::LineSettings& s) const {
    SettingResult row;
    row.path = d.path;
    row.tx = d.tx->name;
    row.rx = d.rx->name;
    row.internal = d.internal;
    row.requested = s;
    row.applied = d.tx->applied;
    if (d.tx != d.rx) row.appliedFar = d.rx->applied;
    row.nominal = NominalRate(s);
    row.paced = d.Paced();
    return row;
}

SettingResult LineCheck::Check(Direction& d, const serial::LineSettings& s, std::uint32_t seed,
                               int stop) {
    const auto start = Clock::now();
    SettingResult row = RowFor(d, s);
    row.seed = seed;

    if (d.internal) row.failed = SetInternalLoop(d.tx->line.Handle(), true);
    d.tx->line.Flush();
    d.rx->line.Flush();
    const auto before = d.rx->line.Counters();
    const std::size_t size = options_.bytes ? *options_.bytes : DefaultPatternSize(s);
    std::string pattern = MakePattern(seed, size, s.byteSize);
    OwnBytes own(pattern);
    auto received = Transfer(
        d.tx->line, d.rx->line, pattern,
        [&own](std::string_view bytes) { return own.Complete(bytes); },
        ReceiveTimeout(s, size, d.Paced()), TrailingWait(s), stop);
    const auto after = d.rx->line.Counters();
    if (d.internal) SetInternalLoop(d.tx->line.Handle(), false);

    // What came ahead of this setting's own bytes and is a stretch of the
    // last row's pattern is that row's, late.
    std::size_t ownStart = own.Start(received.bytes);
    Direction* earlier = d.rx->last;
    if (ownStart > 0 && earlier != nullptr && earlier->pending &&
        FromPattern(std::string_view(received.bytes).substr(0, ownStart), earlier->lastPattern))
        AddLate(*earlier, std::string_view(received.bytes).substr(0, ownStart));
    else
        ownStart = 0;
    const std::string_view mine = std::string_view(received.bytes).substr(ownStart);

    row.counts = ByteCounts::Compare(pattern, mine);
    row.lost = received.lost;
    if (row.failed.empty()) row.failed = received.failed;
    if (received.untilLast.count() > 0 && !mine.empty())
        row.bytesPerSecond = static_cast<double>(mine.size()) * 1e6 /
                             static_cast<double>(received.untilLast.count());
    row.longestGap = static_cast<double>(received.longestGap.count()) / 1e6;
    if (before && after) row.errors = *after - *before;
    row.verdict = row.counts.Intact() && row.lost.empty() && row.failed.empty() ? Verdict::Ok
                                                                                : Verdict::Failed;
    if (row.verdict == Verdict::Ok && d.Paced() && WireTime(s, size) >= kRateJudgedFrom &&
        !RateWithinTolerance(s, row.bytesPerSecond))
        row.verdict = Verdict::RateOff;
    row.seconds = SecondsSince(start);
    d.lastPattern = std::move(pattern);
    d.lastReceived = std::string(mine);
    d.lastInTime = d.lastReceived.size();
    return row;
}

void LineCheck::AddLate(Direction& d, std::string_view late) {
    if (late.empty() || !d.pending) return;
    SettingResult& row = *d.pending;
    d.lastReceived.append(late);
    row.counts = ByteCounts::Compare(d.lastPattern, d.lastReceived, d.lastInTime);
    const bool carried = row.verdict == Verdict::Ok || row.verdict == Verdict::RateOff;
    if (carried && !row.counts.Intact()) row.verdict = Verdict::Failed;
}

void LineCheck::Place(std::vector<SettingResult>& rows, std::size_t index,
                      const SettingResult& row) {
    if (rows.size() <= index) rows.resize(index + 1);
    // An empty row only holds the place of one still pending.
    if (row.passes > 0 || !row.path.empty()) rows[index].Merge(row);
}

void LineCheck::Commit(Direction& d, std::vector<SettingResult>& rows) {
    if (!d.pending) return;
    Place(rows, d.pendingIndex, *d.pending);
    d.pending.reset();
}

}  // namespace check
