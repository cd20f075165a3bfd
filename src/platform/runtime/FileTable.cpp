#include "platform/runtime/FileTable.h"

#include <unistd.h>

#include <algorithm>

namespace rt {

FileTable::~FileTable() {
    for (int fd : slots_) {
        if (fd >= 0) ::close(fd);
    }
}

FHandle FileTable::Add(int fd) {
    auto free = std::find(slots_.begin(), slots_.end(), -1);
    if (free == slots_.end()) free = slots_.insert(slots_.end(), -1);
    *free = fd;
    return static_cast<FHandle>(free - slots_.begin()) + 1;
}

int FileTable::Descriptor(FHandle handle) const {
    if (handle == 0 || handle > slots_.size()) return -1;
    return slots_[handle - 1];
}

int FileTable::Release(FHandle handle) {
    if (handle == 0 || handle > slots_.size()) return -1;
    const int fd = slots_[handle - 1];
    slots_[handle - 1] = -1;
    return fd;
}

std::size_t FileTable::OpenCount() const {
    return static_cast<std::size_t>(
        std::count_if(slots_.begin(), slots_.end(), [](int fd) { return fd >= 0; }));
}

}  // namespace rt
