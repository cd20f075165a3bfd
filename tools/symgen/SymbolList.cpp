#include "SymbolList.h"

#include <cstdio>
#include <unordered_map>

namespace symgen {
namespace {

std::string LineError(std::size_t line, const std::string& reason) {
    return "line " + std::to_string(line) + ": " + reason;
}

void AppendLength(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
    }
}

// Escapes a name for a C++ comment or string literal.
std::string Printable(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

}  // namespace

bool ParseSymbolList(std::string_view text, SymbolList& list, std::string& error) {
    list = SymbolList{};
    std::unordered_map<std::string, std::size_t> seen;
    std::size_t lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        // A list edited on Windows keeps its CR; it is no part of the name.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == ' ' || line.back() == ' ') {
            error = LineError(lineNumber, "name starts or ends with a space");
            return false;
        }
        for (unsigned char c : line) {
            if (c < 0x20 || c == 0x7F) {
                error = LineError(lineNumber, "name holds a control character");
                return false;
            }
        }
        std::string name(line);
        auto [it, inserted] = seen.emplace(name, lineNumber);
        if (!inserted) {
            error = LineError(lineNumber, "duplicate name \"" + name + "\" (first on line " +
                                              std::to_string(it->second) + ")");
            return false;
        }
        list.names.push_back(std::move(name));
        list.lines.push_back(lineNumber);
    }
    return true;
}

std::string ConstantName(std::string_view name) {
    std::string out = "k";
    for (char c : name) {
        const bool alnum =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        out.push_back(alnum ? c : '_');
    }
    return out;
}

bool CheckConstantNames(const SymbolList& list, std::string& error) {
    std::unordered_map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        auto [it, inserted] = seen.emplace(ConstantName(list.names[i]), i);
        if (!inserted) {
            error = LineError(list.lines[i], "\"" + list.names[i] + "\" and \"" +
                                                 list.names[it->second] + "\" both become " +
                                                 it->first);
            return false;
        }
    }
    return true;
}

std::string EncodeAtomTable(const std::vector<std::string>& names) {
    std::string out("ATOMTABLE", 9);
    out.append(3, '\0');
    for (const auto& name : names) {
        AppendLength(out, static_cast<std::uint32_t>(name.size() + 1));
        out += name;
        out.push_back('\0');
    }
    AppendLength(out, 0);
    return out;
}

std::string HeaderText(const SymbolList& list, std::uint32_t firstNumber,
                       std::string_view nameSpace, std::string_view listName) {
    std::string out;
    out += "#pragma once\n";
    out += "// Symbol numbers of the program, generated from " + std::string(listName) +
           ".\n// Edit the list, never this file: entry n of the list is symbol " +
           std::to_string(firstNumber) + " + n.\n\n";
    out += "#include <cstddef>\n#include <cstdint>\n\n#include \"platform/runtime/Symbol.h\"\n\n";
    out += "namespace " + std::string(nameSpace) + " {\n\n";
    out += "inline constexpr std::uint32_t kFirstNumber = " + std::to_string(firstNumber) + ";\n";
    out += "inline constexpr std::size_t kCount = " + std::to_string(list.names.size()) + ";\n\n";
    out += "// The symbol table resource (type 21569, name 1) as the program embeds it.\n";
    out += "extern const unsigned char kSymbolTableBytes[];\n";
    out += "extern const std::size_t kSymbolTableSize;\n\n";
    for (std::size_t i = 0; i < list.names.size(); ++i) {
        out += "inline constexpr rt::Symbol " + ConstantName(list.names[i]) + "{" +
               std::to_string(firstNumber + i) + "};  // \"" + Printable(list.names[i]) + "\"\n";
    }
    out += "\n}  // namespace " + std::string(nameSpace) + "\n";
    return out;
}

std::string SourceText(const std::string& resource, std::string_view nameSpace,
                       std::string_view headerInclude, std::string_view listName) {
    std::string out;
    out += "// The symbol table resource, generated from " + std::string(listName) +
           ", byte for byte.\n\n";
    out += "#include \"" + std::string(headerInclude) + "\"\n\n";
    out += "namespace " + std::string(nameSpace) + " {\n\n";
    out += "alignas(4) const unsigned char kSymbolTableBytes[] = {";
    char hex[8];
    for (std::size_t i = 0; i < resource.size(); ++i) {
        if (i % 16 == 0) out += "\n   ";
        std::snprintf(hex, sizeof hex, " 0x%02X,", static_cast<unsigned char>(resource[i]));
        out += hex;
    }
    out += "\n};\n";
    out += "const std::size_t kSymbolTableSize = sizeof kSymbolTableBytes;\n\n";
    out += "}  // namespace " + std::string(nameSpace) + "\n";
    return out;
}

}  // namespace symgen
