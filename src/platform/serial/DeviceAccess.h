#pragma once
// Why a device cannot be opened, in words the operator can act on: who may
// open it and how to become one of them, and which programs hold it.

#include <sys/types.h>
#include <string>
#include <vector>

namespace serial {

class DeviceAccess {
  public:
    struct Holder {
        pid_t pid = 0;
        std::string program;  // the process's command name
    };

    // The processes that have `path` (followed through links) open, found
    // through /proc; processes of other users stay hidden unless we may look
    // at them.
    static std::vector<Holder> Holders(const std::string& path);

    // "permission denied: /dev/ttyUSB0 belongs to group dialout; join it
    // (sudo usermod -aG dialout $USER) and log in again". When the user
    // already is in the group but this session is not, only logging in
    // again is asked for.
    static std::string PermissionReason(const std::string& path);
    // "is in use by another program: minicom (process 4242)", naming every
    // holder we can see, or saying they cannot be seen.
    static std::string BusyReason(const std::string& path);
    // "held by minicom (process 4242)", or empty when nobody visible holds it.
    static std::string HeldBy(const std::string& path);
};

}  // namespace serial
