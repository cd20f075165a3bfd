#include "platform/os/Registry.h"

#include <cstring>
#include <string>

#include "platform/os/RegistryStore.h"

namespace os {

struct RegKey {
    std::string store;  // empty for a predefined root: the store is looked up at open
    std::string path;
    bool predefined = false;
};

namespace {
const RegKey localMachineRoot{{}, "HKEY_LOCAL_MACHINE", true};
const RegKey currentUserRoot{{}, "HKEY_CURRENT_USER", true};
}  // namespace

const HKEY HKEY_LOCAL_MACHINE = &localMachineRoot;
const HKEY HKEY_CURRENT_USER = &currentUserRoot;

std::int32_t RegCreateKeyExA(HKEY root, const char* subKey, std::uint32_t /*reserved*/,
                             char* /*keyClass*/, std::uint32_t /*options*/,
                             std::uint32_t /*access*/, void* /*security*/, HKEY* result,
                             std::uint32_t* disposition) {
    if (result == nullptr) return kRegInvalidParameter;
    *result = nullptr;
    if (root == nullptr) return kRegInvalidHandle;

    std::string_view sub = subKey ? std::string_view(subKey) : std::string_view{};
    while (!sub.empty() && sub.front() == '\\') sub.remove_prefix(1);
    while (!sub.empty() && sub.back() == '\\') sub.remove_suffix(1);

    auto key = new RegKey{root->predefined ? RegistryStore::DefaultPath() : root->store, root->path,
                          false};
    if (!sub.empty()) key->path += '\\' + std::string(sub);

    const RegistryStore store(key->store);
    std::uint32_t outcome = REG_OPENED_EXISTING_KEY;
    if (!store.HasKey(key->path)) {
        if (!store.AddKey(key->path)) {
            delete key;
            return kRegAccessDenied;
        }
        outcome = REG_CREATED_NEW_KEY;
    }
    if (disposition) *disposition = outcome;
    *result = key;
    return kRegOk;
}

std::int32_t RegQueryValueExA(HKEY key, const char* name, std::uint32_t* /*reserved*/,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) {
    if (key == nullptr || key->predefined) return kRegInvalidHandle;
    if (data != nullptr && size == nullptr) return kRegInvalidParameter;

    const auto value = RegistryStore(key->store).ReadValue(key->path, name ? name : "");
    if (!value) return kRegNotFound;
    if (type) *type = REG_SZ;

    const auto needed = static_cast<std::uint32_t>(value->size() + 1);
    if (size == nullptr) return kRegOk;
    const std::uint32_t room = *size;
    *size = needed;
    if (data == nullptr) return kRegOk;
    if (room < needed) return kRegMoreData;
    std::memcpy(data, value->data(), value->size());
    data[value->size()] = 0;
    return kRegOk;
}

std::int32_t RegCloseKey(HKEY key) {
    if (key == nullptr) return kRegInvalidHandle;
    if (!key->predefined) delete key;
    return kRegOk;
}

}  // namespace os
