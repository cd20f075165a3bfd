// A library for the version probe tests whose version call fails after
// writing into the record: a caller must not take those numbers.
#include <cstdint>

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))
#define PROBE_CALL

PROBE_EXPORT std::int32_t PROBE_CALL DllGetVersion(std::uint32_t* record) {
    for (int i = 1; i < 5; ++i) record[i] = 99;
    return 1;
}
