#include "app/CheckCommand.h"

#include <functional>
#include <tuple>

#include "app/CheckTables.h"
#include "check/OptionValues.h"
#include "check/RunCheck.h"
#include "platform/serial/SerialTexts.h"

namespace app {

int RunCheckCommand(const CheckArguments& args, std::FILE* out, std::FILE* err) {
    const check::SweepTables tables = CheckTables();
    check::CheckOptions options;
    options.port = args.port;
    options.to = args.to;
    options.json = args.json;

    using Reader = std::function<bool(const std::string&, std::string&)>;
    const std::tuple<const std::optional<std::string>&, const char*, Reader> values[] = {
        {args.baud, "--baud",
         [&](const auto& v, auto& e) { return check::ParseBauds(v, options.bauds, e); }},
        {args.parity, "--parity",
         [&](const auto& v, auto& e) {
             return check::ParseParities(v, tables.parities, options.parities, e);
         }},
        {args.dataBits, "--data-bits",
         [&](const auto& v, auto& e) { return check::ParseDataBits(v, options.dataBits, e); }},
        {args.stopBits, "--stop-bits",
         [&](const auto& v, auto& e) { return check::ParseStopBits(v, options.stopBits, e); }},
        {args.bytes, "--bytes",
         [&](const auto& v, auto& e) {
             std::size_t bytes = 0;
             if (!check::ParseByteCount(v, bytes, e)) return false;
             options.bytes = bytes;
             return true;
         }},
    };
    for (const auto& [value, name, read] : values) {
        std::string error;
        if (!value || read(*value, error)) continue;
        std::fprintf(err, "%s%s %s\n", std::string(serial::texts::kStderrPrefix).c_str(), name,
                     error.c_str());
        return check::kExitUsage;
    }
    return check::RunCheck(options, tables, out, err);
}

}  // namespace app
