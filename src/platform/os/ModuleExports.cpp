#include "platform/os/ModuleExports.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <utility>
#include <vector>

namespace os {
namespace {

// A loaded module: its path as the loader lists it (empty for the program)
// and the address ranges of its loadable segments.
struct LoadedModule {
    std::uintptr_t address = 0;  // an address inside the module, to find it by
    bool found = false;
    std::string path;
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> ranges;

    bool Holds(std::uintptr_t at) const {
        for (const auto& [from, to] : ranges)
            if (at >= from && at < to) return true;
        return false;
    }
};

int FindModule(dl_phdr_info* info, std::size_t, void* data) {
    auto* module = static_cast<LoadedModule*>(data);
    module->ranges.clear();
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const auto& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD) continue;
        const std::uintptr_t from = info->dlpi_addr + segment.p_vaddr;
        module->ranges.emplace_back(from, from + segment.p_memsz);
    }
    if (!module->Holds(module->address)) return 0;
    module->found = true;
    module->path = info->dlpi_name ? info->dlpi_name : "";
    return 1;
}

}  // namespace

void* GetProcAddress(std::uintptr_t module, const char* name) {
    if (module == 0 || name == nullptr) return nullptr;
    LoadedModule loaded;
    loaded.address = module;
    dl_iterate_phdr(&FindModule, &loaded);
    if (!loaded.found) return nullptr;
    // RTLD_NOLOAD hands out a reference to the module already loaded, or
    // nothing; it never loads.
    void* handle =
        ::dlopen(loaded.path.empty() ? nullptr : loaded.path.c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle == nullptr) return nullptr;
    void* symbol = ::dlsym(handle, name);
    ::dlclose(handle);
    // dlsym also searches the module's dependencies: keep only its own.
    if (symbol == nullptr || !loaded.Holds(reinterpret_cast<std::uintptr_t>(symbol)))
        return nullptr;
    return symbol;
}

}  // namespace os
