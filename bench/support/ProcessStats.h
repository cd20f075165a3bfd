#pragma once
// Figures of the running process that the benchmarks report (Linux /proc).

#include <sys/resource.h>

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

// User and system CPU time of the calling thread, in seconds.
inline double ThreadCpuSeconds() {
    rusage r{};
    ::getrusage(RUSAGE_THREAD, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

}  // namespace bench
