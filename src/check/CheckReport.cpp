#include "check/CheckReport.h"

#include <algorithm>

namespace check {

namespace {

int Severity(Verdict v) {
    switch (v) {
        case Verdict::Ok:
            return 0;
        case Verdict::Refused:
            return 1;
        case Verdict::RateOff:
            return 2;
        case Verdict::Failed:
            return 3;
    }
    return 3;
}

}  // namespace

void SettingResult::Merge(const SettingResult& pass) {
    if (passes == 0) {
        *this = pass;
        passes = 1;
        return;
    }
    ++passes;
    ByteCounts& c = counts;
    const ByteCounts& p = pass.counts;
    if (!c.firstDifference) c.firstDifference = p.firstDifference;
    for (const auto& slip : p.slips) {
        if (c.slips.size() >= kMaxSlips) break;
        c.slips.push_back(slip);
        c.slips.back().pass = passes;
    }
    c.sent += p.sent;
    c.received += p.received;
    c.late += p.late;
    c.wrong += p.wrong;
    c.missing += p.missing;
    c.extra += p.extra;
    c.slipCount += p.slipCount;
    if (errors && pass.errors) {
        errors->parity += pass.errors->parity;
        errors->framing += pass.errors->framing;
        errors->overrun += pass.errors->overrun;
        errors->breaks += pass.errors->breaks;
        errors->bufferOverrun += pass.errors->bufferOverrun;
    }
    seconds += pass.seconds;
    bytesPerSecond += (pass.bytesPerSecond - bytesPerSecond) / static_cast<double>(passes);
    longestGap = std::max(longestGap, pass.longestGap);
    applied = pass.applied;
    appliedFar = pass.appliedFar;
    if (refusal.empty()) refusal = pass.refusal;
    if (lost.empty()) lost = pass.lost;
    if (failed.empty()) failed = pass.failed;
    if (Severity(pass.verdict) > Severity(verdict)) verdict = pass.verdict;
}

int CheckReport::ExitCode() const {
    const bool anyFailed = std::any_of(rows.begin(), rows.end(), [](const auto& r) {
        return r.verdict == Verdict::Failed || r.verdict == Verdict::RateOff;
    });
    const bool anyApplied = std::any_of(rows.begin(), rows.end(),
                                        [](const auto& r) { return r.verdict == Verdict::Ok; });
    const bool flowFailed = std::any_of(flow.begin(), flow.end(), [](const auto& f) {
        return f.unsupported.empty() && f.verdict != Verdict::Ok;
    });
    return interrupted || anyFailed || flowFailed || !anyApplied ? 1 : 0;
}

}  // namespace check
