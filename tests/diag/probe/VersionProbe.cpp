// A library for the version probe tests: reports version 6.0, build 2900,
// platform 2, and refuses a record whose size field is not 20.
#include <cstdint>

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))
#define PROBE_CALL

struct VersionRecord {
    std::uint32_t cbSize;
    std::uint32_t dwMajorVersion;
    std::uint32_t dwMinorVersion;
    std::uint32_t dwBuildNumber;
    std::uint32_t dwPlatformID;
};

PROBE_EXPORT std::int32_t PROBE_CALL DllGetVersion(VersionRecord* record) {
    if (record == nullptr || record->cbSize != sizeof(VersionRecord)) return -1;
    record->dwMajorVersion = 6;
    record->dwMinorVersion = 0;
    record->dwBuildNumber = 2900;
    record->dwPlatformID = 2;
    return 0;
}
