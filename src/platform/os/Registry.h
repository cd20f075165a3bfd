#pragma once
// The registry calls the diagnostics log needs, over the configuration store
// of RegistryStore. Keys are opened by path below a predefined root; values
// are read as zero-terminated texts. Results are status codes as the
// platform numbers them (0 success).

#include <cstdint>

namespace os {

struct RegKey;
using HKEY = const RegKey*;

extern const HKEY HKEY_LOCAL_MACHINE;
extern const HKEY HKEY_CURRENT_USER;

inline constexpr std::int32_t kRegOk = 0;
inline constexpr std::int32_t kRegNotFound = 2;
inline constexpr std::int32_t kRegAccessDenied = 5;
inline constexpr std::int32_t kRegInvalidHandle = 6;
inline constexpr std::int32_t kRegInvalidParameter = 87;
inline constexpr std::int32_t kRegMoreData = 234;

inline constexpr std::uint32_t KEY_QUERY_VALUE = 1;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr std::uint32_t REG_OPENED_EXISTING_KEY = 2;

// Opens `subKey` below `root`, adding it to the store when it is missing.
// `reserved`, `keyClass`, `options`, `access` and `security` are accepted as
// the platform takes them and have no effect here. On success *result is a
// key to be closed with RegCloseKey and *disposition (when given) tells
// whether the key was new. kRegAccessDenied when the key is missing and the
// store cannot be written; kRegInvalidParameter without `result`;
// kRegInvalidHandle without a root.
std::int32_t RegCreateKeyExA(HKEY root, const char* subKey, std::uint32_t reserved, char* keyClass,
                             std::uint32_t options, std::uint32_t access, void* security,
                             HKEY* result, std::uint32_t* disposition);

// Reads the value `name` of `key` as text. With `data` given and *size large
// enough, copies the text and a closing zero there; when *size is too small,
// returns kRegMoreData and leaves `data` untouched. *size becomes the bytes
// needed including the closing zero; *type (when given) REG_SZ.
// kRegNotFound when the value is missing.
std::int32_t RegQueryValueExA(HKEY key, const char* name, std::uint32_t* reserved,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* size);

// Closes a key opened by RegCreateKeyExA; the predefined roots stay open.
std::int32_t RegCloseKey(HKEY key);

}  // namespace os
