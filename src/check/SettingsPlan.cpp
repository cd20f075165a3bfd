#include "check/SettingsPlan.h"

#include <algorithm>

namespace check {

namespace {

const serial::LineSettings kBase{};  // 9600 baud, no parity, 8 data bits, one stop bit

template <typename T>
std::vector<T> OrBase(const std::vector<T>& narrowed, T base) {
    return narrowed.empty() ? std::vector<T>{base} : narrowed;
}

void AddOnce(std::vector<serial::LineSettings>& plan, const serial::LineSettings& s) {
    if (std::find(plan.begin(), plan.end(), s) == plan.end()) plan.push_back(s);
}

}  // namespace

std::vector<serial::LineSettings> PlanSettings(const CheckOptions& options,
                                               const SweepTables& tables) {
    std::vector<serial::LineSettings> plan;
    const bool narrowed = !options.bauds.empty() || !options.parities.empty() ||
                          !options.dataBits.empty() || !options.stopBits.empty();
    if (narrowed) {
        for (auto baud : OrBase(options.bauds, kBase.baud))
            for (auto parity : OrBase(options.parities, kBase.parity))
                for (auto bits : OrBase(options.dataBits, kBase.byteSize))
                    for (auto stop : OrBase(options.stopBits, kBase.stopBits))
                        AddOnce(plan, {baud, parity, bits, stop});
        return plan;
    }
    for (auto baud : tables.bauds) {
        auto s = kBase;
        s.baud = baud;
        AddOnce(plan, s);
    }
    for (const auto& parity : tables.parities) {
        auto s = kBase;
        s.parity = parity.code;
        AddOnce(plan, s);
    }
    for (auto bits : tables.dataBits) {
        auto s = kBase;
        s.byteSize = bits;
        AddOnce(plan, s);
    }
    for (auto stop : tables.stopBits) {
        auto s = kBase;
        s.stopBits = stop;
        AddOnce(plan, s);
    }
    return plan;
}

}  // namespace check
