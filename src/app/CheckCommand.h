#pragma once
// `--check` as the command line hands it over: the option values still as
// text. RunCheckCommand reads them against the window's tables and runs the
// check.

#include <cstdio>
#include <optional>
#include <string>

namespace app {

struct CheckArguments {
    std::string port;                     // --check ComN
    std::optional<std::string> to;        // --to ComM
    std::optional<std::string> baud;      // --baud N[,N...]
    std::optional<std::string> parity;    // --parity NAME[,NAME...]
    std::optional<std::string> dataBits;  // --data-bits N[,N...]
    std::optional<std::string> stopBits;  // --stop-bits 1|1.5|2[,...]
    std::optional<std::string> bytes;     // --bytes N
    bool json = false;                    // --json
};

// The check's exit code (0, 1, or 255 with one line on `err` for a bad
// value or a port that cannot be opened). The report goes to `out`.
int RunCheckCommand(const CheckArguments& args, std::FILE* out, std::FILE* err);

}  // namespace app
