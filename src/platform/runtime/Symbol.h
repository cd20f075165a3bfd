#pragma once
// Symbols: interned names with numbers. Classes, methods, properties,
// functions and mode arguments (WINDOWS, FormView) are named by symbols.
// Names compare exactly: "Start" and "START" are two symbols.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rt {

struct Symbol {
    std::uint32_t number = 0;  // 0 is no symbol
    friend bool operator==(Symbol, Symbol) = default;
    explicit operator bool() const { return number != 0; }
};

class SymbolTable {
  public:
    // Numbers are handed out from firstNumber upward in the order names are
    // added; capacity bounds the number of names and byteCapacity the bytes
    // their texts take, each counted with a terminating zero (0 = unbounded).
    explicit SymbolTable(std::uint32_t firstNumber = 1, std::size_t capacity = 0,
                         std::size_t byteCapacity = 0);

    // Adds a name, or finds it when it is already there. Returns no symbol
    // (number 0) when the table is full (names or bytes) or the name is empty.
    Symbol Add(std::string_view name);
    std::optional<Symbol> Find(std::string_view name) const;
    // The name of a symbol; empty for a number the table does not hold.
    std::string_view NameOf(Symbol symbol) const;

    std::size_t Size() const { return names_.size(); }
    // Bytes the names take, each with its terminating zero.
    std::size_t Bytes() const { return bytes_; }
    // Empties the table and gives it a new numbering and capacity.
    void Reset(std::uint32_t firstNumber, std::size_t capacity, std::size_t byteCapacity = 0);

  private:
    std::uint32_t first_;
    std::size_t capacity_;
    std::size_t byteCapacity_;
    std::size_t bytes_ = 0;
    std::vector<std::string> names_;
    std::unordered_map<std::string, std::uint32_t> numbers_;
};

}  // namespace rt
