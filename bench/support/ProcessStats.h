#pragma once
// Figures of the running process that the benchmarks report (Linux /proc).

#include <fstream>
#include <string>

namespace bench {

// Resident set size in KiB; 0 where /proc is not available.
inline long RssKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long value = 0;
        if (key == "VmRSS:" && status >> value) return value;
    }
    return 0;
}

}  // namespace bench
