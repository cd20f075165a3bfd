// The symbol table resource reader over arbitrary blocks, checked against a
// plain reading of the same layout, and the names it yields added to a
// symbol table numbered as the program's is. Any difference traps.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/runtime/AtomTableReader.h"
#include "platform/runtime/Symbol.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The names of a well-formed block in order, and whether it was
// well-formed: magic, entries of a little-endian length and that many bytes
// (a non-empty name and its zero), a length of 0 at the end.
bool ReadPlainly(const std::uint8_t* data, std::size_t size, std::vector<std::string_view>& names) {
    static const char kMagic[12] = {'A', 'T', 'O', 'M', 'T', 'A', 'B', 'L', 'E', 0, 0, 0};
    if (size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0) return false;
    std::size_t at = sizeof kMagic;
    for (;;) {
        if (size - at < 4) return false;
        const std::uint32_t length = static_cast<std::uint32_t>(data[at]) |
                                     static_cast<std::uint32_t>(data[at + 1]) << 8 |
                                     static_cast<std::uint32_t>(data[at + 2]) << 16 |
                                     static_cast<std::uint32_t>(data[at + 3]) << 24;
        at += 4;
        if (length == 0) return true;
        if (length > size - at || length == 1 || data[at + length - 1] != 0) return false;
        if (std::memchr(data + at, 0, length - 1) != nullptr) return false;
        names.emplace_back(reinterpret_cast<const char*>(data + at), length - 1);
        at += length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> expected;
    const bool wellFormed = ReadPlainly(data, size, expected);

    rt::AtomTableReader reader(data, size);
    rt::SymbolTable table(444);
    std::vector<std::string_view> names;
    std::string_view name;
    while (reader.Next(name)) {
        // Every name lies inside the block.
        Check(!name.empty());
        Check(reinterpret_cast<const std::uint8_t*>(name.data()) >= data);
        Check(reinterpret_cast<const std::uint8_t*>(name.data() + name.size()) < data + size);
        names.push_back(name);
        const rt::Symbol symbol = table.Add(name);
        Check(symbol.number >= 444);
        Check(table.NameOf(symbol) == name);
    }
    Check(!reader.Next(name));
    Check((reader.Fault() == rt::AtomTableFault::None) == wellFormed);
    // Up to a fault, or to the end mark, the reader yields exactly the names
    // the plain reading finds.
    Check(names == expected);
    return 0;
}
