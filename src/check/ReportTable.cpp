#include "check/ReportTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "check/CheckTexts.h"
#include "check/LineCheck.h"

namespace check {

namespace {

constexpr std::size_t kColumns = std::size(texts::kHeadings);
// Columns holding numbers are aligned to the right.
constexpr std::array<bool, kColumns> kNumeric = {false, false, false, false, true,
                                                 true,  true,  false, true,  true,
                                                 false, false, true,  true,  true};

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string VerdictText(Verdict v) {
    switch (v) {
        case Verdict::Ok:
            return std::string(texts::kOk);
        case Verdict::Failed:
            return std::string(texts::kFailed);
        case Verdict::Refused:
            return std::string(texts::kRefused);
        case Verdict::RateOff:
            return std::string(texts::kRateOff);
    }
    return {};
}

std::string FirstSlip(const ByteCounts& c) {
    if (c.slips.empty()) return std::string(texts::kNoDifference);
    const Slip& first = c.slips.front();
    std::string text = std::to_string(first.count) + " " + std::string(SlipKindName(first.kind)) +
                       std::string(texts::kSlipAt) + std::to_string(first.offset);
    if (c.slipCount > 1)
        text += std::string(texts::kMoreSlipsBefore) + std::to_string(c.slipCount - 1) +
                std::string(texts::kMoreSlipsAfter);
    return text;
}

std::array<std::string, kColumns> Cells(const SettingResult& r) {
    const std::string none(texts::kNoDifference);
    const bool ran = r.verdict != Verdict::Refused;
    auto count = [&](std::size_t n) { return ran ? std::to_string(n) : none; };
    std::string share = none;
    if (ran && r.nominal > 0)
        share = r.paced ? Fixed(100 * r.bytesPerSecond / r.nominal, 0) + "%"
                        : std::string(texts::kNoWire);
    return {r.path,
            SettingsText(r.requested),
            r.applied ? SettingsText(*r.applied) : none,
            r.appliedFar ? SettingsText(*r.appliedFar) : none,
            count(r.counts.sent),
            count(r.counts.received),
            count(r.counts.wrong),
            ran ? FirstSlip(r.counts) : none,
            ran ? Fixed(r.bytesPerSecond, 0) : none,
            share,
            ran ? LineErrorsText(r.errors) : none,
            VerdictText(r.verdict),
            Fixed(r.seconds, 3),
            std::to_string(r.passes),
            ran ? Fixed(r.longestGap, 3) : none};
}

// For a failed row checked through a plug or cable, which is at fault when
// the ports were also checked through their own loopback at that setting;
// empty when they were not.
std::string FaultText(const CheckReport& report, const SettingResult& row) {
    if (row.internal || (row.verdict != Verdict::Failed && row.verdict != Verdict::RateOff))
        return {};
    bool any = false;
    for (const auto& other : report.rows) {
        if (!other.internal || other.requested != row.requested ||
            (other.tx != row.tx && other.tx != row.rx))
            continue;
        any = true;
        if (other.verdict == Verdict::Failed || other.verdict == Verdict::RateOff)
            return other.tx + std::string(texts::kPortAtFault);
    }
    return any ? std::string(texts::kPlugAtFault) : std::string();
}

void AppendNames(std::string& out, const std::vector<std::string>& names) {
    if (names.empty()) out += texts::kFollowsNothing;
    for (std::size_t i = 0; i < names.size(); ++i) out += (i ? " " : "") + names[i];
}

}  // namespace

std::string LineErrorsText(const std::optional<serial::ErrorCounters>& errors) {
    if (!errors) return std::string(texts::kNotKept);
    if (errors->None()) return std::string(texts::kNoErrors);
    const std::pair<const char*, std::int64_t> counters[] = {
        {"parity", errors->parity},
        {"framing", errors->framing},
        {"overrun", errors->overrun},
        {"break", errors->breaks},
        {"buffer overrun", errors->bufferOverrun}};
    std::string text;
    for (const auto& [name, n] : counters) {
        if (n == 0) continue;
        if (!text.empty()) text += ", ";
        text += std::string(name) + " " + std::to_string(n);
    }
    return text;
}

std::string ModemText(const ModemResult& modem) {
    if (!modem.unsupported.empty())
        return std::string(texts::kNotSupported) + " (" + modem.unsupported + ")";
    std::string text = "RTS -> ";
    AppendNames(text, modem.followRts);
    text += "; DTR -> ";
    AppendNames(text, modem.followDtr);
    return text;
}

std::string FlowText(const FlowResult& flow) {
    if (!flow.unsupported.empty())
        return std::string(texts::kNotSupported) + " (" + flow.unsupported + ")";
    const ByteCounts& c = flow.counts;
    std::string text = VerdictText(flow.verdict) + " (";
    text += flow.whileHeld == 0 ? std::string(texts::kFlowNoneOf)
                                : std::to_string(flow.whileHeld) + std::string(texts::kFlowOf);
    text += std::to_string(c.sent) + std::string(texts::kFlowBytesCameIn) +
            Fixed(flow.heldSeconds, 3) + std::string(texts::kFlowWithCtsLow) +
            std::to_string(c.received - std::min(c.received, flow.whileHeld)) +
            std::string(texts::kFlowCame);
    if (!c.Intact()) text += "; " + FirstSlip(c);
    if (!flow.lost.empty()) text += "; " + std::string(texts::kLost) + " (" + flow.lost + ")";
    return text + ")";
}

std::string ReportTable(const CheckReport& report) {
    std::vector<std::array<std::string, kColumns>> lines;
    std::array<std::string, kColumns> heading;
    for (std::size_t c = 0; c < kColumns; ++c) heading[c] = texts::kHeadings[c];
    lines.push_back(heading);
    for (const auto& row : report.rows) lines.push_back(Cells(row));

    std::array<std::size_t, kColumns> width{};
    for (const auto& line : lines)
        for (std::size_t c = 0; c < kColumns; ++c) width[c] = std::max(width[c], line[c].size());

    std::string out;
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < kColumns; ++c) {
            // A lone port is both ends: its far end is the port itself.
            if (c == texts::kFarAppliedColumn && !report.to) continue;
            if (c >= texts::kPassesColumn && !report.soak) continue;
            const std::string pad(width[c] - line[c].size(), ' ');
            if (c > 0) text += "  ";
            text += kNumeric[c] ? pad + line[c] : line[c] + pad;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text + "\n";
    }
    for (const auto& row : report.rows) {
        const std::string setting = row.path + " " + SettingsText(row.requested) + ": ";
        if (!row.refusal.empty()) out += setting + row.refusal + "\n";
        if (const auto fault = FaultText(report, row); !fault.empty())
            out += setting + fault + "\n";
        if (!row.failed.empty())
            out += setting + std::string(texts::kWaitFailed) + " (" + row.failed + ")\n";
        if (!row.lost.empty())
            out += setting + std::string(texts::kLost) + " (" + row.lost + ")" +
                   std::string(texts::kRestNotChecked) + "\n";
    }
    for (const auto& modem : report.modem) {
        out += std::string(texts::kModemHeading) + " " + modem.outputs;
        if (modem.inputs != modem.outputs) out += ">" + modem.inputs;
        out += ": " + ModemText(modem) + "\n";
    }
    for (const auto& flow : report.flow)
        out += std::string(texts::kFlowHeading) + " " + flow.path + ": " + FlowText(flow) + "\n";
    for (const auto& [port, why] : report.noInternalLoop)
        out += std::string(texts::kInternalHeading) + " " + port + ": " +
               std::string(texts::kNotSupported) + " (" + why + ")\n";
    if (report.soak)
        out += std::string(texts::kSoakPasses) + std::to_string(report.passes) +
               std::string(texts::kSoakPassesIn) + Fixed(report.seconds, 1) + " s\n";
    const int code = report.ExitCode();
    const bool anyApplied = std::any_of(report.rows.begin(), report.rows.end(), [](const auto& r) {
        return r.verdict != Verdict::Refused;
    });
    out += std::string(report.interrupted ? texts::kSummaryInterrupted
                       : code == 0        ? texts::kSummaryOk
                       : anyApplied       ? texts::kSummaryFailed
                                          : texts::kSummaryNothing) +
           "\n";
    return out;
}

}  // namespace check
