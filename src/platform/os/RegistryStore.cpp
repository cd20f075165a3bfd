#include "platform/os/RegistryStore.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <limits>
#include <mutex>
#include <set>
#include <vector>

#include "platform/os/OsTexts.h"
#include "platform/os/StderrLine.h"

namespace os {
namespace {

constexpr std::string_view kBlanks = " \t";
// How long a read of the store may take before it is given up.
constexpr std::chrono::seconds kReadTime{1};

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

// Calls visit(isSection, section, name, value) for each entry, and
// visit(true, section, {}, {}) for each section header, in file order; stops
// when visit returns FALSE.
template <typename Visit>
class LineParser {
  public:
    explicit LineParser(Visit& visit) : visit_(visit) {}

    // One line without its LF; FALSE once the visitor has had enough.
    bool Feed(std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') return true;
        if (line.front() == '[') {
            const auto close = line.find(']');
            if (close == std::string_view::npos) return true;
            section_ = std::string(Trim(line.substr(1, close - 1)));
            inSection_ = true;
            return visit_(true, std::string_view(section_), {}, {});
        }
        const auto eq = line.find('=');
        if (!inSection_ || eq == std::string_view::npos) return true;
        std::string_view value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return visit_(false, std::string_view(section_), Trim(line.substr(0, eq)), value);
    }

  private:
    Visit& visit_;
    std::string section_;
    bool inSection_ = false;
};

// The stores whose read was given up; the process reads and writes them no
// more, so that each costs one wait and one line.
class GivenUpStores {
  public:
    static bool Has(const std::string& path) {
        const std::lock_guard lock(Mutex());
        return Paths().count(path) != 0;
    }
    static void Add(const std::string& path) {
        const std::lock_guard lock(Mutex());
        Paths().insert(path);
    }

  private:
    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }
    static std::set<std::string>& Paths() {
        static std::set<std::string> paths;
        return paths;
    }
};

// Reads the store's bytes a piece at a time into `take`, until the end,
// until `take` answers FALSE or until `limit` bytes came. Nothing waits for
// ever: the file is opened without waiting for a writer (a FIFO), and a read
// still unfinished after kReadTime is given up with one line on standard
// error. A device is no store (one such as /dev/zero never ends); a missing
// or unreadable file holds nothing.
template <typename Take>
void ReadStore(const std::string& path, std::size_t limit, Take take) {
    if (GivenUpStores::Has(path)) return;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
        ::close(fd);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + kReadTime;
    std::vector<char> chunk(64 * 1024);
    for (std::size_t got = 0; got < limit;) {
        const ssize_t n = ::read(fd, chunk.data(), std::min(chunk.size(), limit - got));
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            if (!take(std::string_view(chunk.data(), static_cast<std::size_t>(n)))) break;
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{fd, POLLIN, 0};
        if (left.count() > 0 && ::poll(&wait, 1, static_cast<int>(left.count())) != 0) continue;
        GivenUpStores::Add(path);
        StderrLine(std::string(texts::kCannotReadSettings) + path + ": " +
                   std::string(texts::kReadTooLong));
        break;
    }
    ::close(fd);
}

// Only a regular file, or none yet, is written: a FIFO, a device or a
// folder named as the store takes nothing.
bool Writable(const std::string& path) {
    if (GivenUpStores::Has(path)) return false;
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 ? errno == ENOENT : S_ISREG(info.st_mode);
}

// Hands each line of the store to `visit` through a LineParser. A line
// longer than kMaxLineBytes is skipped whole, so memory stays bounded
// whatever the file holds.
template <typename Visit>
void ForEachLine(const std::string& path, Visit visit) {
    LineParser<Visit> parser(visit);
    std::string line;
    bool overlong = false;
    bool more = true;
    ReadStore(path, std::numeric_limits<std::size_t>::max(), [&](std::string_view data) {
        while (!data.empty()) {
            const auto lf = data.find('\n');
            const std::string_view piece = data.substr(0, lf);
            if (!overlong && line.size() + piece.size() > RegistryStore::kMaxLineBytes) {
                overlong = true;
                line.clear();
            }
            if (!overlong) line.append(piece);
            if (lf == std::string_view::npos) break;
            if (!overlong && !parser.Feed(line)) return more = false;
            line.clear();
            overlong = false;
            data.remove_prefix(lf + 1);
        }
        return true;
    });
    if (more && !overlong && !line.empty()) parser.Feed(line);
}

}  // namespace

std::string RegistryStore::DefaultPath() {
    const QByteArray overridden = qgetenv("COMTEST_REGISTRY");
    if (!overridden.isEmpty()) return overridden.toStdString();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("comtest/registry.ini")).toStdString();
}

std::string RegistryStore::ReadAll() const {
    std::string text;
    ReadStore(path_, kMaxStoreBytes, [&](std::string_view data) {
        text.append(data);
        return true;
    });
    return text;
}

bool RegistryStore::GivenUp() const {
    return GivenUpStores::Has(path_);
}

bool RegistryStore::HasKey(std::string_view keyPath) const {
    bool found = false;
    ForEachLine(path_,
                [&](bool isSection, std::string_view section, std::string_view, std::string_view) {
                    found = isSection && SameName(section, keyPath);
                    return !found;
                });
    return found;
}

std::optional<std::string> RegistryStore::ReadValue(std::string_view keyPath,
                                                    std::string_view valueName) const {
    std::optional<std::string> result;
    ForEachLine(path_, [&](bool isSection, std::string_view section, std::string_view name,
                           std::string_view value) {
        if (!isSection && SameName(section, keyPath) && SameName(name, valueName))
            result = std::string(value);
        return !result;
    });
    return result;
}

bool RegistryStore::AddKey(std::string_view keyPath) const {
    if (!Writable(path_)) return false;
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

namespace os {

std::vector<std::pair<std::string, std::string>> RegistryStore::ReadValues(
    std::string_view keyPath) const {
    std::vector<std::pair<std::string, std::string>> values;
    int sectionsSeen = 0;
    ForEachLine(path_, [&](bool isSection, std::string_view section, std::string_view name,
                           std::string_view value) {
        const bool match = SameName(section, keyPath);
        if (isSection) {
            // Only the first section of the key counts.
            if (match) ++sectionsSeen;
            return sectionsSeen < 2;
        }
        if (!match) return true;
        const bool known = std::any_of(values.begin(), values.end(), [&](const auto& kept) {
            return SameName(kept.first, name);
        });
        if (!known) values.emplace_back(std::string(name), std::string(value));
        return true;
    });
    return values;
}

bool RegistryStore::WriteValue(std::string_view keyPath, std::string_view valueName,
                               std::string_view value) const {
    const auto hasBreak = [](std::string_view s) { return s.find_first_of("\r\n") != s.npos; };
    if (hasBreak(keyPath) || hasBreak(valueName) || hasBreak(value) || valueName.empty() ||
        !Writable(path_))
        return false;
    const QString file = QString::fromStdString(path_);
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.tryLock(2000)) return false;
    if (QFileInfo(file).size() > static_cast<qint64>(kMaxStoreBytes)) return false;
    const std::string text = ReadAll();

    // The file as lines with their ends, to edit one line and keep the rest.
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const auto end = text.find('\n', at);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    if (!lines.empty() && lines.back().back() != '\n') lines.back() += '\n';
    const std::string entry = std::string(valueName) + "=" + std::string(value) + "\n";

    std::optional<std::size_t> header;
    std::size_t insertAt = lines.size();
    bool replaced = false;
    for (std::size_t i = 0; i < lines.size() && !replaced; ++i) {
        std::string_view line = lines[i];
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        line = Trim(line);
        if (!line.empty() && line.front() == '[' && line.find(']') != line.npos) {
            if (header) break;  // the key's first section ends here
            if (SameName(Trim(line.substr(1, line.find(']') - 1)), keyPath)) {
                header = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!header || line.empty() || line.front() == ';' || line.front() == '#') continue;
        const auto eq = line.find('=');
        if (eq == line.npos) continue;
        insertAt = i + 1;
        if (SameName(Trim(line.substr(0, eq)), valueName)) {
            lines[i] = entry;
            replaced = true;
        }
    }
    if (!replaced) {
        if (header)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
        else
            lines.push_back("[" + std::string(keyPath) + "]\n" + entry);
    }

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return false;
    for (const auto& line : lines)
        if (out.write(line.data(), static_cast<qint64>(line.size())) < 0) return false;
    return out.commit();
}

}  // namespace os
