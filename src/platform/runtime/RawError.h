#pragma once
// The raw error record in which the runtime hands an error to the error
// generator: 100 bytes of little-endian 32-bit fields.
//
// A text or ArgBlock field holds an address. Addresses point into the
// record's own memory (a byte area the record carries with it), starting at
// kMemoryBase; 0 means none. Reading never trusts an address: one outside
// the memory gives an empty text or no ArgBlock, a text without its closing
// zero ends at the memory's end, and an ArgBlock whose counts promise more
// cells than the memory holds gives only the cells that are there.
//
// ArgBlock: a 16-bit count at offset 0, a second 16-bit count at offset 2,
// then max(count1, count2) value cells of 8 bytes: the type code (32 bits)
// and the content (32 bits): a Long's value, a Logic's 0/1, a Date's day
// number, a Symbol's number, a Ptr's low 32 bits, the address of a text or of
// a Float's 8-byte IEEE value. Arrays and objects do not fit a cell and
// travel as NIL.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/Usual.h"

namespace rt {

class RawError {
  public:
    static constexpr std::size_t kSize = 100;
    static constexpr std::uint32_t kMemoryBase = 0x00010000;
    static constexpr std::size_t kCellSize = 8;

    // Offsets of the fields.
    enum Field : std::uint32_t {
        SubSystem = 0,
        SubCode = 4,
        GenCode = 8,
        OsCode = 12,
        Severity = 16,
        CanDefault = 20,
        CanRetry = 24,
        CanSubstitute = 28,
        Operation = 32,
        Description = 36,
        FileName = 40,
        Args = 44,
        Tries = 48,
        FuncSym = 52,
        FileHandle = 56,
        ArgNum = 60,
        FuncPtr = 64,
        SubCodeText = 68,
        Arg = 72,
        ArgType = 76,
        ArgTypeReq = 80,
        MaxSize = 84,
        SubstituteType = 88,
        Choice = 92,
        CallFuncSym = 96,
    };

    RawError() = default;
    // A record as another component hands it over: its bytes (missing bytes
    // count as 0, extra bytes are ignored) and the memory its addresses
    // point into.
    static RawError FromBytes(std::span<const std::uint8_t> record,
                              std::vector<std::uint8_t> memory = {});

    // All fields 0, memory emptied.
    void Clear();

    std::uint32_t Get(Field field) const;
    void Set(Field field, std::uint32_t value);
    bool Logic(Field field) const { return Get(field) != 0; }
    void SetLogic(Field field, bool value) { Set(field, value ? 1 : 0); }

    // Copies the text into the record's memory and stores its address; an
    // empty text stores address 0.
    void SetText(Field field, std::string_view text);
    std::string Text(Field field) const;

    // Stores an ArgBlock with the values; both counts are values.size().
    void SetArgs(const Array& values);
    // Stores an ArgBlock with the given counts followed by `cells`; lets a
    // caller describe a block whose counts differ.
    void SetArgBlock(std::uint16_t count1, std::uint16_t count2, const Array& cells);
    bool HasArgBlock() const;
    // The ArgBlock's values; empty when there is none.
    Array ArgValues() const;

    std::span<const std::uint8_t, kSize> Bytes() const { return bytes_; }
    const std::vector<std::uint8_t>& Memory() const { return memory_; }

  private:
    // Appends bytes to the memory; returns their address.
    std::uint32_t Store(std::span<const std::uint8_t> data);
    std::uint32_t StoreText(std::string_view text);
    std::vector<std::uint8_t> CellOf(const Usual& value);
    Usual ValueOfCell(std::size_t offset) const;
    // Offset into the memory of an address and the bytes available from
    // there; false for 0 or an address outside the memory.
    bool Resolve(std::uint32_t address, std::size_t& offset) const;
    std::uint32_t ReadU32(std::size_t offset) const;

    std::array<std::uint8_t, kSize> bytes_{};
    std::vector<std::uint8_t> memory_;
};

}  // namespace rt
