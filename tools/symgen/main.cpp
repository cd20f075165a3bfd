// symgen LIST HEADER SOURCE NAMESPACE HEADER_INCLUDE
// Reads the symbol list and writes the header of symbol-number constants and
// the source holding the symbol table resource. Any fault in the list stops
// the build with the list's file name and line.

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "SymbolList.h"

namespace {

constexpr std::uint32_t kFirstProgramSymbol = 444;

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

// Rewrites a file only when its text changes, so dependants rebuild only then.
bool WriteIfChanged(const std::string& path, const std::string& text) {
    std::string old;
    if (ReadFile(path, old) && old == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

std::string BaseName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: symgen LIST HEADER SOURCE NAMESPACE HEADER_INCLUDE\n";
        return 2;
    }
    const std::string listPath = argv[1];
    std::string text;
    if (!ReadFile(listPath, text)) {
        std::cerr << listPath << ": cannot read\n";
        return 1;
    }
    symgen::SymbolList list;
    std::string error;
    if (!symgen::ParseSymbolList(text, list, error) || !symgen::CheckConstantNames(list, error)) {
        std::cerr << listPath << ": " << error << "\n";
        return 1;
    }
    const std::string listName = BaseName(listPath);
    const std::string resource = symgen::EncodeAtomTable(list.names);
    if (!WriteIfChanged(argv[2],
                        symgen::HeaderText(list, kFirstProgramSymbol, argv[4], listName)) ||
        !WriteIfChanged(argv[3], symgen::SourceText(resource, argv[4], argv[5], listName))) {
        std::cerr << "symgen: cannot write the generated files\n";
        return 1;
    }
    return 0;
}
