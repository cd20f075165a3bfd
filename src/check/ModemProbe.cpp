#include "check/ModemProbe.h"

#include <optional>
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

rt::Expected<serial::ModemLines> OutputsIfBothHaveLines(serial::PosixLine& outputs,
                                                        serial::PosixLine& inputs) {
    auto lines = outputs.Modem();
    if (!lines) return lines;
    if (const auto readable = inputs.Modem(); !readable) return rt::Fail(readable.Error());
    return lines;
}

rt::Expected<serial::ModemLines> InputsAfter(serial::PosixLine& outputs, serial::PosixLine& inputs,
                                             bool rts, bool dtr, std::chrono::milliseconds settle) {
    if (auto set = outputs.SetModem(rts, dtr); !set) return rt::Fail(set.Error());
    std::this_thread::sleep_for(settle);
    return inputs.Modem();
}

ModemResult ProbeModem(serial::PosixLine& outputs, serial::PosixLine& inputs,
                       std::chrono::milliseconds settle) {
    ModemResult result{outputs.Path(), inputs.Path(), {}, {}, {}};
    const auto original = OutputsIfBothHaveLines(outputs, inputs);
    if (!original) {
        result.unsupported = original.Error();
        return result;
    }
    std::string error;
    auto read = [&](bool rts, bool dtr) -> std::optional<serial::ModemLines> {
        auto lines = InputsAfter(outputs, inputs, rts, dtr, settle);
        if (!lines) {
            error = lines.Error();
            return std::nullopt;
        }
        return *lines;
    };
    const auto rtsOnly = read(true, false);
    const auto dtrOnly = rtsOnly ? read(false, true) : std::nullopt;
    const auto none = dtrOnly ? read(false, false) : std::nullopt;
    // Restoring is best effort: the probe's result stands either way.
    (void)outputs.SetModem(original->rts, original->dtr);
    if (!none) {
        result.unsupported = error;
        return result;
    }
    result.followRts = InputsFollowing(*rtsOnly, *none);
    result.followDtr = InputsFollowing(*dtrOnly, *none);
    return result;
}

}  // namespace check
