#pragma once
// The program's symbol list: one name per line, in symbol order. The list is
// the single source of both the symbol table resource the program embeds and
// the header of symbol-number constants its code uses, so a name cannot move
// without every number that refers to it moving along.
//
// List syntax: a line is one name, taken exactly as written (letter case and
// inner spaces included). Blank lines and lines starting with '#' are
// comments. A name may not be empty, start or end with a space, hold a control
// character, or appear twice; names differing only in case are distinct.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace symgen {

struct SymbolList {
    std::vector<std::string> names;
    std::vector<std::size_t> lines;  // 1-based source line of each name
};

// Parses the list; on a fault returns false and sets `error` to
// "line N: reason".
bool ParseSymbolList(std::string_view text, SymbolList& list, std::string& error);

// The C++ constant for a name: "k" followed by the name with every character
// outside [A-Za-z0-9] turned into '_' ("WSERIAL:INIT" -> kWSERIAL_INIT).
std::string ConstantName(std::string_view name);

// Checks that no two names map to the same constant; false with `error` set
// otherwise.
bool CheckConstantNames(const SymbolList& list, std::string& error);

// The symbol table resource: "ATOMTABLE", three zero bytes, then per name a
// 32-bit little-endian length (name bytes plus terminating zero) followed by
// the name and a zero byte, then a length of 0.
std::string EncodeAtomTable(const std::vector<std::string>& names);

// Header text declaring one rt::Symbol constant per name in `nameSpace`,
// numbered from `firstNumber`, and the resource bytes of SourceText.
std::string HeaderText(const SymbolList& list, std::uint32_t firstNumber,
                       std::string_view nameSpace, std::string_view listName);

// Source text defining the resource bytes as `<nameSpace>::kSymbolTableBytes`
// and their count as `kSymbolTableSize`.
std::string SourceText(const std::string& resource, std::string_view nameSpace,
                       std::string_view headerInclude, std::string_view listName);

}  // namespace symgen
