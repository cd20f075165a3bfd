#include "check/ModemProbe.h"

#include <thread>

namespace check {

namespace {

struct Inputs {
    bool cts, dsr, dcd, ri;
};

void AddFollowers(const Inputs& raised, const Inputs& dropped, std::vector<std::string>& out) {
    if (raised.cts && !dropped.cts) out.push_back("CTS");
    if (raised.dsr && !dropped.dsr) out.push_back("DSR");
    if (raised.dcd && !dropped.dcd) out.push_back("DCD");
    if (raised.ri && !dropped.ri) out.push_back("RI");
}

}  // namespace

ModemResult ProbeModem(serial::PosixLine& outputs, serial::PosixLine& inputs,
                       std::chrono::milliseconds settle) {
    ModemResult result{outputs.Path(), inputs.Path(), {}, {}, {}};
    std::string error;
    const auto original = outputs.Modem(error);
    if (!original || !inputs.Modem(error)) {
        result.unsupported = error;
        return result;
    }
    auto read = [&](bool rts, bool dtr) -> std::optional<Inputs> {
        if (!outputs.SetModem(rts, dtr, error)) return std::nullopt;
        std::this_thread::sleep_for(settle);
        const auto m = inputs.Modem(error);
        if (!m) return std::nullopt;
        return Inputs{m->cts, m->dsr, m->dcd, m->ri};
    };
    const auto rtsOnly = read(true, false);
    const auto dtrOnly = rtsOnly ? read(false, true) : std::nullopt;
    const auto none = dtrOnly ? read(false, false) : std::nullopt;
    std::string restoreError;
    outputs.SetModem(original->rts, original->dtr, restoreError);
    if (!none) {
        result.unsupported = error;
        return result;
    }
    AddFollowers(*rtsOnly, *none, result.followRts);
    AddFollowers(*dtrOnly, *none, result.followDtr);
    return result;
}

}  // namespace check
