#include "platform/serial/DeviceAccess.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/serial/SerialTexts.h"
#include "platform/serial/UucpLock.h"

namespace serial {
namespace {

namespace fs = std::filesystem;

std::string CommandName(const fs::path& process) {
    std::ifstream in(process / "comm");
    std::string name;
    std::getline(in, name);
    return name.empty() ? std::string("?") : name;
}

std::string GroupName(gid_t gid) {
    if (const group* g = ::getgrgid(gid)) return g->gr_name;
    return std::to_string(gid);
}

std::string UserName(uid_t uid) {
    if (const passwd* user = ::getpwuid(uid)) return user->pw_name;
    return std::to_string(uid);
}

// Whether the user's account lists the group, though this session may not
// have it yet.
bool AccountHasGroup(gid_t gid) {
    const passwd* user = ::getpwuid(::geteuid());
    if (user == nullptr) return false;
    if (user->pw_gid == gid) return true;
    const group* g = ::getgrgid(gid);
    if (g == nullptr) return false;
    for (char** member = g->gr_mem; *member != nullptr; ++member)
        if (user->pw_name != nullptr && std::string(*member) == user->pw_name) return true;
    return false;
}

std::string HolderList(const std::vector<DeviceAccess::Holder>& holders) {
    std::string text;
    for (const auto& holder : holders) {
        if (!text.empty()) text += ", ";
        text += holder.program + " (" + std::string(texts::kProcess) + " " +
                std::to_string(holder.pid) + ")";
    }
    return text;
}

bool IsNumber(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

DeviceAccess::OpenFiles DeviceAccess::ScanOpenFiles() {
    OpenFiles files;
    std::error_code error;
    for (const auto& process : fs::directory_iterator("/proc", error)) {
        const std::string pidText = process.path().filename().string();
        if (!IsNumber(pidText)) continue;
        const auto pid = static_cast<pid_t>(std::atol(pidText.c_str()));
        std::string program;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            const std::string target = fs::read_symlink(fd.path(), linkError).string();
            if (linkError || target.rfind("/dev/", 0) != 0) continue;
            auto& holders = files[target];
            if (!holders.empty() && holders.back().pid == pid) continue;
            if (program.empty()) program = CommandName(process.path());
            holders.push_back({pid, program});
        }
    }
    return files;
}

std::vector<DeviceAccess::Holder> DeviceAccess::Holders(const std::string& path) {
    return Holders(path, ScanOpenFiles());
}

std::vector<DeviceAccess::Holder> DeviceAccess::Holders(const std::string& path,
                                                        const OpenFiles& files) {
    std::vector<Holder> holders;
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    if (error) return holders;
    if (const auto it = files.find(target.string()); it != files.end()) holders = it->second;
    if (const auto locker = UucpLock::LiveHolder(path)) {
        const bool listed = std::any_of(holders.begin(), holders.end(),
                                        [&](const Holder& h) { return h.pid == *locker; });
        if (!listed)
            holders.push_back({*locker, CommandName(fs::path("/proc") / std::to_string(*locker))});
    }
    return holders;
}

std::string DeviceAccess::PermissionReason(const std::string& path) {
    std::string reason(texts::kNoPermission);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return reason;
    // Joining the node's group helps only where the group may read and
    // write it, and root's group is no group to send anyone into.
    const bool groupMay = (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (!groupMay || info.st_gid == 0) {
        reason += ": " + path + " " + std::string(texts::kOwnerOnlyPrefix) + UserName(info.st_uid) +
                  std::string(texts::kOwnerOnlySuffix);
        // A pseudo-terminal's node is made for the user who opened its
        // terminal, not by udev: a rule would not change it.
        const fs::path given(path);
        if (given.parent_path().filename() != "pts")
            reason += std::string(texts::kUdevRulePrefix) + given.filename().string() +
                      std::string(texts::kUdevRuleSuffix);
        return reason;
    }
    const std::string group = GroupName(info.st_gid);
    reason += ": " + path + " " + std::string(texts::kBelongsToGroup) + " " + group + "; ";
    if (AccountHasGroup(info.st_gid))
        reason += std::string(texts::kSessionLacksGroup) + std::string(texts::kLogInAgain);
    else
        reason += std::string(texts::kJoinGroupPrefix) + group +
                  std::string(texts::kJoinGroupSuffix) + std::string(texts::kLogInAgain);
    return reason;
}

std::string DeviceAccess::BusyReason(const std::vector<Holder>& holders) {
    const std::string who =
        holders.empty() ? std::string(texts::kHolderHidden) : HolderList(holders);
    return std::string(texts::kBusy) + ": " + who;
}

std::string DeviceAccess::BusyReason(const std::string& path) {
    return BusyReason(Holders(path));
}

std::string DeviceAccess::HeldBy(const std::string& path, const OpenFiles& files) {
    const auto holders = Holders(path, files);
    return holders.empty() ? std::string()
                           : std::string(texts::kHeldBy) + " " + HolderList(holders);
}

}  // namespace serial
