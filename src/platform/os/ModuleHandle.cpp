#include "platform/os/ModuleHandle.h"

#include <string>
#include <string_view>

#include <link.h>

namespace os {
namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

struct Search {
    std::string_view wanted;
    bool program = false;  // the running program itself is wanted
    HMODULE found = 0;
};

// The lowest address a module occupies: its first loadable segment. Never 0
// for a loaded module, unlike dlpi_addr of a program linked at a fixed
// address.
HMODULE BaseOf(const dl_phdr_info* info) {
    HMODULE lowest = 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const auto& ph = info->dlpi_phdr[i];
        if (ph.p_type != PT_LOAD) continue;
        const HMODULE at = info->dlpi_addr + ph.p_vaddr;
        if (lowest == 0 || at < lowest) lowest = at;
    }
    return lowest != 0 ? lowest : reinterpret_cast<HMODULE>(info->dlpi_phdr);
}

int Visit(dl_phdr_info* info, std::size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    const std::string_view path = info->dlpi_name ? info->dlpi_name : "";
    bool match = false;
    if (search->program) {
        // The program is the first module listed, under an empty name.
        match = true;
    } else if (search->wanted.find('/') != std::string_view::npos) {
        match = path == search->wanted;
    } else {
        match = !path.empty() && SameNameIgnoringCase(FileNameOf(path), search->wanted);
    }
    if (!match) return 0;
    search->found = BaseOf(info);
    return 1;
}

}  // namespace

HMODULE GetModuleHandleA(const char* name) {
    const std::string_view wanted = name ? name : "";
    Search search{wanted, wanted.empty(), 0};
    dl_iterate_phdr(&Visit, &search);
    return search.found;
}

}  // namespace os
