#pragma once
// What a line check is asked to do, as the command line gives it, and the
// choices a default run sweeps through (the window's own lists, handed in by
// the application so that both offer the same settings).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace check {

// One parity choice: its name as the window lists it and its code.
struct ParityChoice {
    std::string name;
    std::uint8_t code = 0;
};

// The lists a default run takes its settings from.
struct SweepTables {
    std::vector<std::uint32_t> bauds;
    std::vector<ParityChoice> parities;
    std::vector<std::uint8_t> dataBits;
    std::vector<std::uint8_t> stopBits;  // stop-bit codes: 0 one, 1 one and a half, 2 two
};

struct CheckOptions {
    std::string port;               // "ComN", resolved through the port map
    std::optional<std::string> to;  // the far port of a cable check
    // Each list narrows the run to the values given; empty takes the default.
    std::vector<std::uint32_t> bauds;
    std::vector<std::uint8_t> parities;
    std::vector<std::uint8_t> dataBits;
    std::vector<std::uint8_t> stopBits;
    std::optional<std::size_t> bytes;  // pattern size; default: half a second's worth
    bool json = false;
    // Each setting also through each port's own UART loopback, first.
    bool internal = false;
    // A soak: the settings again and again, `repeat` times or until
    // `duration` has passed, whichever comes first; neither: once.
    std::optional<std::size_t> repeat;
    std::optional<std::chrono::seconds> duration;
    std::uint32_t seed = 0x5eed1234;
};

}  // namespace check
