#include "check/LineCheck.h"

#include <chrono>

#include "check/CheckTexts.h"
#include "check/ModemProbe.h"
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
    std::vector<Direction> directions{{&a, &b, a.name}};
    if (&a != &b) {
        directions[0].path = a.name + ">" + b.name;
        directions.push_back({&b, &a, b.name + ">" + a.name});
    }
    for (const auto& d : directions) {
        // The inputs of a line without a wire (the loopback line's plug)
        // follow at once: no settling time to wait out.
        auto modem = ProbeModem(d.tx->line, d.rx->line,
                                d.Paced() ? kModemSettle : std::chrono::milliseconds(0));
        modem.outputs = d.tx->name;
        modem.inputs = d.rx->name;
        report.modem.push_back(std::move(modem));
    }

    const auto plan = PlanSettings(options_, tables_);
    std::size_t step = 0;
    const std::size_t steps = plan.size() * directions.size();
    const auto stopped = [&] {
        report.interrupted = report.interrupted || (stop != nullptr && stop->Caught());
        return report.interrupted;
    };
    for (const auto& s : plan) {
        if (stopped()) break;
        const auto start = Clock::now();
        std::optional<serial::LineSettings> applied;
        std::string lost;
        const std::string refusal = Apply(s, applied, lost);
        const double applySeconds = SecondsSince(start);
        for (const auto& d : directions) {
            if (progress)
                progress(std::string(texts::kProgress) + d.path + " " + SettingsText(s) + " (" +
                         std::to_string(++step) + "/" + std::to_string(steps) + ")");
            SettingResult row = RowFor(d, s);
            if (!lost.empty()) {
                row.lost = lost;
                row.verdict = Verdict::Failed;
            } else if (refusal.empty()) {
                row = Check(d, s, stop != nullptr ? stop->Handle() : -1);
                if (stopped()) break;
            } else {
                row.refusal = refusal;
                row.verdict = Verdict::Refused;
            }
            row.applied = applied;
            // The first direction carries the time the settings took.
            if (&d == &directions.front()) row.seconds += applySeconds;
            if (!row.lost.empty()) lost = row.lost;
            report.rows.push_back(std::move(row));
        }
        // A device that is gone takes no further setting: the run ends
        // with the setting that found it gone.
        if (!lost.empty()) break;
    }
    return report;
}

std::string LineCheck::Apply(const serial::LineSettings& s,
                             std::optional<serial::LineSettings>& applied, std::string& lost) {
    std::string refusal;
    applied.reset();
    for (auto& port : ports_) {
        const auto kept = port->line.Apply(s);
        // A device that refuses the call still shows what it keeps, and that
        // says more than the call's error (the C library fails a call that a
        // pseudo-terminal only partly took).
        const auto shown = kept ? std::optional(*kept) : port->line.ReadBack();
        if (!applied || !shown) applied = shown;
        // A device that shows no settings at all is gone, not refusing.
        if (!kept && !shown) {
            lost = kept.Error();
            return {};
        }
        std::string why = shown ? serial::DescribeRefusal(port->line.Path(), s, *shown) : "";
        if (!kept && why.empty()) why = kept.Error();
        if (why.empty()) continue;
        if (!refusal.empty()) refusal += "; ";
        refusal += why;
    }
    return refusal;
}

SettingResult LineCheck::RowFor(const Direction& d, const serial::LineSettings& s) {
    SettingResult row;
    row.path = d.path;
    row.requested = s;
    row.nominal = NominalRate(s);
    row.paced = d.Paced();
    return row;
}

SettingResult LineCheck::Check(const Direction& d, const serial::LineSettings& s, int stop) {
    const auto start = Clock::now();
    SettingResult row = RowFor(d, s);

    d.tx->line.Flush();
    d.rx->line.Flush();
    const auto before = d.rx->line.Counters();
    const std::size_t size = options_.bytes ? *options_.bytes : DefaultPatternSize(s);
    const std::string pattern = MakePattern(options_.seed, size, s.byteSize);
    const auto received = Transfer(d.tx->line, d.rx->line, pattern,
                                   ReceiveTimeout(s, size, d.Paced()), TrailingWait(s), stop);
    const auto after = d.rx->line.Counters();

    row.counts = ByteCounts::Compare(pattern, received.bytes);
    row.lost = received.lost;
    if (received.untilLast.count() > 0)
        row.bytesPerSecond = static_cast<double>(received.bytes.size()) * 1e6 /
                             static_cast<double>(received.untilLast.count());
    if (before && after) row.errors = *after - *before;
    row.verdict = row.counts.Intact() && row.lost.empty() ? Verdict::Ok : Verdict::Failed;
    row.seconds = SecondsSince(start);
    return row;
}

}  // namespace check
