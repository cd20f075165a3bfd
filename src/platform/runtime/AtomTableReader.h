#pragma once
// Reads a symbol table resource: the 12-byte magic "ATOMTABLE" with three
// zero bytes, then entries of a 32-bit little-endian length L followed by L
// bytes (the name and its terminating zero), ended by a length of 0.
//
// The reader never looks past the end of the block it is given. An entry is
// rejected when its length field or its L bytes run past the end, when L is
// 1 (an empty name), when its last byte is not the zero terminator, or when a
// zero byte stands inside the name (the length would not match the name).
// A block that ends without the final length of 0 is truncated.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rt {

enum class AtomTableFault {
    None,
    Missing,    // no block at all
    BadMagic,   // shorter than the magic, or any of its 12 bytes differs
    Truncated,  // a length field runs past the end, or the end mark is missing
    Overlong,   // an entry's length runs past the end of the block
    BadEntry,   // empty name, missing terminator or a zero inside the name
};

class AtomTableReader {
  public:
    static constexpr std::size_t kMagicSize = 12;

    // `data` may be null (Fault() is Missing then).
    AtomTableReader(const unsigned char* data, std::size_t size);

    // True when the block starts with the magic; checked once, at construction.
    bool HasMagic() const {
        return fault_ != AtomTableFault::Missing && fault_ != AtomTableFault::BadMagic;
    }

    // Reads the next name. False at the end mark (Fault() None) or at a fault;
    // after a fault every further call answers false.
    bool Next(std::string_view& name);

    AtomTableFault Fault() const { return fault_; }
    // Offset of the entry being read or that failed.
    std::size_t Offset() const { return offset_; }

  private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t offset_ = kMagicSize;
    bool ended_ = false;
    AtomTableFault fault_ = AtomTableFault::None;
};

}  // namespace rt
