#pragma once
// The line of the serial component's benchmarks: a pseudo-terminal whose near
// end is mapped to Com1, the benchmark playing the far end, and a payload of
// seeded random bytes to send over it.

#include <fcntl.h>
#include <stdlib.h>

#include <cstdio>
#include <random>
#include <string>

#include "platform/serial/PortMap.h"

namespace bench {

inline std::string RandomPayload(std::size_t size, unsigned seed) {
    std::string payload(size, '\0');
    std::mt19937 rng(seed);
    for (auto& c : payload) c = static_cast<char>(rng() & 0xFF);
    return payload;
}

// The far end's descriptor once Com1 names the near end; -1, with the
// reason on standard error, when either step fails.
inline int OpenFarEndAsCom1() {
    const int far = ::posix_openpt(O_RDWR | O_NOCTTY);
    char name[128] = {};
    if (far < 0 || ::grantpt(far) != 0 || ::unlockpt(far) != 0 ||
        ::ptsname_r(far, name, sizeof name) != 0) {
        std::perror("pseudo-terminal");
        return -1;
    }
    serial::PortMap map;
    if (const auto added = map.AddMapping(std::string("Com1=") + name); !added) {
        std::fprintf(stderr, "%s\n", added.Error().c_str());
        return -1;
    }
    serial::PortMap::Install(map);
    return far;
}

}  // namespace bench
