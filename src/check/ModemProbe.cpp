#include "check/ModemProbe.h"

#include <thread>

namespace check {

std::vector<std::string> InputsFollowing(const serial::ModemLines& raised,
                                         const serial::ModemLines& dropped) {
    std::vector<std::string> names;
    if (raised.cts && !dropped.cts) names.push_back("CTS");
    if (raised.dsr && !dropped.dsr) names.push_back("DSR");
    if (raised.dcd && !dropped.dcd) names.push_back("DCD");
    if (raised.ri && !dropped.ri) names.push_back("RI");
    return names;
}

ModemResult ProbeModem(serial::PosixLine& outputs, serial::PosixLine& inputs,
                       std::chrono::milliseconds settle) {
    ModemResult result{outputs.Path(), inputs.Path(), {}, {}, {}};
    std::string error;
    const auto original = outputs.Modem(error);
    if (!original || !inputs.Modem(error)) {
        result.unsupported = error;
        return result;
    }
    auto read = [&](bool rts, bool dtr) -> std::optional<serial::ModemLines> {
        if (!outputs.SetModem(rts, dtr, error)) return std::nullopt;
        std::this_thread::sleep_for(settle);
        return inputs.Modem(error);
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
    result.followRts = InputsFollowing(*rtsOnly, *none);
    result.followDtr = InputsFollowing(*dtrOnly, *none);
    return result;
}

}  // namespace check
