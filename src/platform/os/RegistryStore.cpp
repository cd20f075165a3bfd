#include "platform/os/RegistryStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <fstream>

namespace os {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Calls visit(section, name, value) for each entry, and visit(section, {}, {})
// with `isSection` set for each section header, in file order; stops when
// visit returns FALSE.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
    std::string_view section;
    bool inSection = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            if (close == std::string_view::npos) continue;
            section = Trim(line.substr(1, close - 1));
            inSection = true;
            if (!visit(true, section, {}, {})) return;
            continue;
        }
        const auto eq = line.find('=');
        if (!inSection || eq == std::string_view::npos) continue;
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (!visit(false, section, Trim(line.substr(0, eq)), value)) return;
    }
}

}  // namespace

std::string RegistryStore::DefaultPath() {
    const QByteArray overridden = qgetenv("COMTEST_REGISTRY");
    if (!overridden.isEmpty()) return overridden.toStdString();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("comtest/registry.ini")).toStdString();
}

std::string RegistryStore::ReadAll() const {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return {};
    std::string text(kMaxStoreBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

bool RegistryStore::HasKey(std::string_view keyPath) const {
    const std::string text = ReadAll();
    bool found = false;
    ForEachLine(text,
                [&](bool isSection, std::string_view section, std::string_view, std::string_view) {
                    found = isSection && SameName(section, keyPath);
                    return !found;
                });
    return found;
}

std::optional<std::string> RegistryStore::ReadValue(std::string_view keyPath,
                                                    std::string_view valueName) const {
    const std::string text = ReadAll();
    std::optional<std::string> result;
    ForEachLine(text, [&](bool isSection, std::string_view section, std::string_view name,
                          std::string_view value) {
        if (!isSection && SameName(section, keyPath) && SameName(name, valueName))
            result = std::string(value);
        return !result;
    });
    return result;
}

bool RegistryStore::AddKey(std::string_view keyPath) const {
    const QFileInfo info(QString::fromStdString(path_));
    if (!QDir().mkpath(info.absolutePath())) return false;
    // A section header must start on a line of its own, also after a last
    // line that lacks its line end.
    bool breakFirst = false;
    {
        std::ifstream in(path_, std::ios::binary | std::ios::ate);
        if (in && in.tellg() > 0) {
            in.seekg(-1, std::ios::end);
            breakFirst = in.get() != '\n';
        }
    }
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    if (!out) return false;
    if (breakFirst) out << '\n';
    out << '[' << keyPath << "]\n";
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace os
