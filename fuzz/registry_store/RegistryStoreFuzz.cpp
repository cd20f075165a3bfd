// The registry stand-in's file reader over arbitrary file contents: lines
// of any length and bytes, stray sections, entries and quotes.
//
// Input: a first line "KEY<TAB>NAME" naming what to look up, then the
// store's contents, written to a file of this process. Any broken invariant
// traps.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/os/RegistryStore.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

std::string Flipped(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = input.find('\n');
    const std::string query = input.substr(0, lineEnd);
    const std::string contents = lineEnd == std::string::npos ? "" : input.substr(lineEnd + 1);
    const std::size_t tab = query.find('\t');
    const std::string key = query.substr(0, tab);
    const std::string name = tab == std::string::npos ? "" : query.substr(tab + 1);

    // A memory-backed folder where there is one: the file is written anew
    // for every input.
    static const std::string path =
        std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
        "/comtest-registry-fuzz-" + std::to_string(::getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(contents.data(), 1, contents.size(), file);
    std::fclose(file);

    const os::RegistryStore store(path);
    const auto value = store.ReadValue(key, name);
    const bool hasKey = store.HasKey(key);
    if (value) {
        Check(hasKey);
        Check(value->size() <= contents.size());
        Check(value->find('\n') == std::string::npos);
    }
    // Names compare without regard to ASCII letter case.
    Check(store.ReadValue(Flipped(key), Flipped(name)) == value);
    Check(store.HasKey(Flipped(key)) == hasKey);
    return 0;
}
