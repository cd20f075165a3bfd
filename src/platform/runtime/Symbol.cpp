#include "platform/runtime/Symbol.h"

namespace rt {

SymbolTable::SymbolTable(std::uint32_t firstNumber, std::size_t capacity, std::size_t byteCapacity)
    : first_(firstNumber), capacity_(capacity), byteCapacity_(byteCapacity) {}

Symbol SymbolTable::Add(std::string_view name) {
    if (name.empty()) return Symbol{};
    if (auto found = Find(name)) return *found;
    if (capacity_ != 0 && names_.size() >= capacity_) return Symbol{};
    if (byteCapacity_ != 0 && bytes_ + name.size() + 1 > byteCapacity_) return Symbol{};
    if (names_.size() >= 0xFFFFFFFFu - first_) return Symbol{};
    bytes_ += name.size() + 1;
    const auto number = first_ + static_cast<std::uint32_t>(names_.size());
    names_.emplace_back(name);
    numbers_.emplace(names_.back(), number);
    return Symbol{number};
}

std::optional<Symbol> SymbolTable::Find(std::string_view name) const {
    auto it = numbers_.find(std::string(name));
    if (it == numbers_.end()) return std::nullopt;
    return Symbol{it->second};
}

std::string_view SymbolTable::NameOf(Symbol symbol) const {
    if (symbol.number < first_) return {};
    const auto index = symbol.number - first_;
    if (index >= names_.size()) return {};
    return names_[index];
}

void SymbolTable::Reset(std::uint32_t firstNumber, std::size_t capacity, std::size_t byteCapacity) {
    first_ = firstNumber;
    capacity_ = capacity;
    byteCapacity_ = byteCapacity;
    bytes_ = 0;
    names_.clear();
    numbers_.clear();
}

}  // namespace rt
