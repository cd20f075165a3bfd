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

}  // namespace

std::vector<DeviceAccess::Holder> DeviceAccess::Holders(const std::string& path) {
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    std::vector<Holder> holders;
    if (error) return holders;
    for (const auto& process : fs::directory_iterator("/proc", error)) {
        const std::string pidText = process.path().filename().string();
        if (pidText.empty() || !std::all_of(pidText.begin(), pidText.end(),
                                            [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError) == target && !linkError) {
                holders.push_back(
                    {static_cast<pid_t>(std::atol(pidText.c_str())), CommandName(process.path())});
                break;
            }
        }
    }
    return holders;
}

std::string DeviceAccess::PermissionReason(const std::string& path) {
    std::string reason(texts::kNoPermission);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return reason;
    const std::string group = GroupName(info.st_gid);
    reason += ": " + path + " " + std::string(texts::kBelongsToGroup) + " " + group + "; ";
    if (AccountHasGroup(info.st_gid))
        reason += std::string(texts::kSessionLacksGroup) + std::string(texts::kLogInAgain);
    else
        reason += std::string(texts::kJoinGroupPrefix) + group +
                  std::string(texts::kJoinGroupSuffix) + std::string(texts::kLogInAgain);
    return reason;
}

std::string DeviceAccess::BusyReason(const std::string& path) {
    const auto holders = Holders(path);
    const std::string who =
        holders.empty() ? std::string(texts::kHolderHidden) : HolderList(holders);
    return std::string(texts::kBusy) + ": " + who;
}

std::string DeviceAccess::HeldBy(const std::string& path) {
    const auto holders = Holders(path);
    return holders.empty() ? std::string()
                           : std::string(texts::kHeldBy) + " " + HolderList(holders);
}

}  // namespace serial
