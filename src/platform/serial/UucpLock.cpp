#include "platform/serial/UucpLock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/serial/DeviceScanner.h"

namespace serial {
namespace {

namespace fs = std::filesystem;

// Links followed from the path given, as the kernel's own limit.
constexpr int kMaxLinks = 40;

// The process id a lock file holds; 0 when it holds none that parses.
pid_t ReadPid(const std::string& file) {
    std::ifstream in(file);
    long pid = 0;
    if (!(in >> pid) || pid <= 0) return 0;
    return static_cast<pid_t>(pid);
}

// A process that runs, though it may belong to another user; a zombie,
// which has let go of everything, does not count.
bool Alive(pid_t pid) {
    if (pid <= 0 || (::kill(pid, 0) != 0 && errno != EPERM)) return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // "pid (command) state ...": the command may hold spaces and parentheses.
    const auto end = line.rfind(')');
    return end == std::string::npos || end + 2 >= line.size() || line[end + 2] != 'Z';
}

}  // namespace

std::string UucpLock::Folder() {
    return (fs::path(DeviceScanner::DefaultRoot()) / "var" / "lock").lexically_normal().string();
}

std::string UucpLock::FileName(const std::string& path) {
    std::error_code error;
    const fs::path devices =
        fs::weakly_canonical(fs::path(DeviceScanner::DefaultRoot()) / "dev", error);
    // The first name on the way that sits in the device folder is the node
    // other programs open and lock: a by-id link leads there, and a tree's
    // node may itself link on to the line standing in for it.
    fs::path at = fs::absolute(path, error);
    for (int hop = 0; hop < kMaxLinks && !error; ++hop) {
        if (fs::weakly_canonical(at.parent_path(), error) == devices && !error)
            return "LCK.." + at.filename().string();
        if (!fs::is_symlink(at, error)) break;
        at = at.parent_path() / fs::read_symlink(at, error);
    }
    std::error_code canonicalError;
    const fs::path target = fs::weakly_canonical(path, canonicalError);
    const fs::path below = target.lexically_relative("/dev");
    std::string name = below.empty() || *below.begin() == ".." ? target.filename().string()
                                                               : below.generic_string();
    for (char& c : name)
        if (c == '/') c = '_';
    return "LCK.." + name;
}

std::optional<pid_t> UucpLock::LiveHolder(const std::string& path) {
    const pid_t pid = ReadPid(Folder() + "/" + FileName(path));
    if (!Alive(pid)) return std::nullopt;
    return pid;
}

std::optional<pid_t> UucpLock::Acquire(const std::string& path) {
    Release();
    const std::string folder = Folder();
    const std::string file = folder + "/" + FileName(path);
    const pid_t self = ::getpid();
    char content[16];
    std::snprintf(content, sizeof content, "%10d\n", static_cast<int>(self));
    // Written under a name of our own and linked into place, so the lock
    // appears whole or not at all, and never over another's.
    const std::string temporary = folder + "/LTMP." + std::to_string(self);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return std::nullopt;  // the folder takes no lock
    const bool written = ::write(fd, content, 11) == 11;
    ::close(fd);
    std::optional<pid_t> holder;
    for (int attempt = 0; written && attempt < 2; ++attempt) {
        if (::link(temporary.c_str(), file.c_str()) == 0) {
            file_ = file;
            break;
        }
        if (errno != EEXIST) break;
        const pid_t found = ReadPid(file);
        if (found != self && Alive(found)) {
            holder = found;
            break;
        }
        // Stale, or left by this very process: replace it.
        ::unlink(file.c_str());
    }
    ::unlink(temporary.c_str());
    return holder;
}

void UucpLock::Release() {
    if (file_.empty()) return;
    if (ReadPid(file_) == ::getpid()) ::unlink(file_.c_str());
    file_.clear();
}

}  // namespace serial
