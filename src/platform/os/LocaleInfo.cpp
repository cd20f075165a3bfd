#include "platform/os/LocaleInfo.h"

#include <cstdint>
#include <cstring>
#include <mutex>

#include "platform/os/SystemLocaleSource.h"

namespace os {
namespace {

// The installed source; shared so that a call in progress keeps the one it
// started with when another is installed.
struct SourceSlot {
    std::mutex mutex;
    std::shared_ptr<LocaleSource> source;
};

SourceSlot& Slot() {
    static SourceSlot slot;
    return slot;
}

std::shared_ptr<LocaleSource> Current() {
    auto& slot = Slot();
    std::lock_guard lock(slot.mutex);
    if (!slot.source) slot.source = std::make_shared<SystemLocaleSource>();
    return slot.source;
}

}  // namespace

LCID GetUserDefaultLCID() {
    return Current()->UserDefaultLCID();
}

int GetLocaleInfoA(LCID lcid, LCTYPE type, char* buffer, int size) {
    if (size < 0 || (size > 0 && buffer == nullptr)) return 0;
    const auto text = Current()->Item(lcid, type);
    if (!text) return 0;
    const std::size_t needed = text->size() + 1;
    if (needed > static_cast<std::size_t>(INT32_MAX)) return 0;
    if (size == 0) return static_cast<int>(needed);
    if (needed > static_cast<std::size_t>(size)) return 0;
    std::memcpy(buffer, text->data(), text->size());
    buffer[text->size()] = '\0';
    return static_cast<int>(needed);
}

std::shared_ptr<LocaleSource> SetLocaleSource(std::shared_ptr<LocaleSource> source) {
    auto& slot = Slot();
    std::lock_guard lock(slot.mutex);
    std::shared_ptr<LocaleSource> previous = std::move(slot.source);
    slot.source = std::move(source);
    return previous;
}

}  // namespace os
