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
constexpr std::array<bool, kColumns> kNumeric = {false, false, false, true,  true,  true,
                                                 true,  true,  true,  false, false, true};

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
    }
    return {};
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
            count(r.counts.sent),
            count(r.counts.received),
            count(r.counts.wrong),
            r.counts.firstDifference ? std::to_string(*r.counts.firstDifference) : none,
            ran ? Fixed(r.bytesPerSecond, 0) : none,
            share,
            ran ? LineErrorsText(r.errors) : none,
            VerdictText(r.verdict),
            Fixed(r.seconds, 3)};
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
        if (!row.lost.empty())
            out += setting + std::string(texts::kLost) + " (" + row.lost + ")" +
                   std::string(texts::kRestNotChecked) + "\n";
    }
    for (const auto& modem : report.modem) {
        out += std::string(texts::kModemHeading) + " " + modem.outputs;
        if (modem.inputs != modem.outputs) out += ">" + modem.inputs;
        out += ": " + ModemText(modem) + "\n";
    }
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
