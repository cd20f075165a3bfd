#pragma once
// Why a device cannot be opened, in words the operator can act on: who may
// open it and how to become one of them, and which programs hold it.

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace serial {

class DeviceAccess {
  public:
    struct Holder {
        pid_t pid = 0;
        std::string program;  // the process's command name
    };
    // Device file (followed through links) -> the processes that have it
    // open, from one pass over /proc; only files below /dev are kept.
    // Processes of other users stay hidden unless we may look at them.
    using OpenFiles = std::map<std::string, std::vector<Holder>>;
    static OpenFiles ScanOpenFiles();

    // The processes that hold `path`: those that have it open, and the live
    // process its UUCP lock names (UucpLock), each once, by process id.
    // Without `files` /proc is scanned for this one device.
    static std::vector<Holder> Holders(const std::string& path);
    static std::vector<Holder> Holders(const std::string& path, const OpenFiles& files);

    // Why this user may not open `path`. When the node's group may read and
    // write it (and is not root's): "permission denied: /dev/ttyUSB0 belongs
    // to group dialout; join that group (sudo usermod -aG dialout $USER),
    // then log in again", or only logging in again when the account has the
    // group and this session not yet. Otherwise joining a group would not
    // help: "permission denied: /dev/ttyUSB0 is open for reading and writing
    // to root only; an administrator can give it group dialout with a udev rule:
    // KERNEL=="ttyUSB0", GROUP="dialout", MODE="0660"" (no rule for a
    // pseudo-terminal's node, /dev/pts/N, which udev does not make).
    static std::string PermissionReason(const std::string& path);
    // "is in use by another program: minicom (process 4242)", naming every
    // holder in `holders`, or saying they cannot be seen when it is empty.
    static std::string BusyReason(const std::vector<Holder>& holders);
    static std::string BusyReason(const std::string& path);
    // "held by minicom (process 4242)", or empty when nobody visible holds it.
    static std::string HeldBy(const std::string& path, const OpenFiles& files);
};

}  // namespace serial
