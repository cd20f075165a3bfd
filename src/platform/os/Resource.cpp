#include "platform/os/Resource.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

namespace os {

struct ResourceBlock {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

namespace {

struct ResourceDirectory {
    std::mutex mutex;
    // Blocks are held by pointer so that handles stay valid when others are
    // filed; a replaced or withdrawn block is kept, not freed, for the same
    // reason (handles may still be held).
    std::map<std::tuple<HMODULE, std::uint32_t, std::uint32_t>, const ResourceBlock*> entries;
    std::vector<std::unique_ptr<ResourceBlock>> blocks;
};

ResourceDirectory& Directory() {
    static ResourceDirectory directory;
    return directory;
}

HMODULE Normalise(HMODULE module) {
    return module == 0 ? ProgramModule() : module;
}

}  // namespace

HMODULE ProgramModule() {
    return GetModuleHandleA(nullptr);
}

void AddModuleResource(HMODULE module, std::uint32_t type, std::uint32_t name,
                       const unsigned char* data, std::size_t size) {
    auto& directory = Directory();
    std::lock_guard lock(directory.mutex);
    directory.blocks.push_back(std::make_unique<ResourceBlock>(ResourceBlock{data, size}));
    directory.entries[{Normalise(module), type, name}] = directory.blocks.back().get();
}

void RemoveModuleResource(HMODULE module, std::uint32_t type, std::uint32_t name) {
    auto& directory = Directory();
    std::lock_guard lock(directory.mutex);
    directory.entries.erase({Normalise(module), type, name});
}

HRSRC FindResourceA(HMODULE module, std::uint32_t name, std::uint32_t type) {
    auto& directory = Directory();
    std::lock_guard lock(directory.mutex);
    auto it = directory.entries.find({Normalise(module), type, name});
    return it == directory.entries.end() ? nullptr : it->second;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
    return resource;
}

const void* LockResource(HGLOBAL resource) {
    return resource == nullptr ? nullptr : resource->data;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
    return resource == nullptr ? 0 : static_cast<DWORD>(resource->size);
}

}  // namespace os
