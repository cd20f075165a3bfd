#pragma once
// The UUCP lock file of a serial device, as terminal programs that take no
// other lock write it: "LCK..ttyUSB0" in the lock folder, holding the
// holder's process id as ten ASCII digits and a line feed. A lock whose
// process is gone is stale and holds nothing; it is replaced.
//
// The lock folder is var/lock below the device tree's root
// (DeviceScanner::DefaultRoot()), so /var/lock on the machine itself and a
// folder of its own for a tree a test lays out. A folder that is missing or
// not writable takes no lock: the device is then opened without one.

#include <sys/types.h>

#include <optional>
#include <string>

namespace serial {

class UucpLock {
  public:
    UucpLock() = default;
    ~UucpLock() { Release(); }
    UucpLock(const UucpLock&) = delete;
    UucpLock& operator=(const UucpLock&) = delete;

    // The lock folder for the current device tree.
    static std::string Folder();
    // The lock file's name for the device at `path`: "LCK.." and the name of
    // its node in the tree's device folder (a /dev/serial/by-id link leads
    // to "LCK..ttyUSB0"); a node elsewhere below /dev is named by its path
    // there with '/' as '_' ("LCK..pts_3").
    static std::string FileName(const std::string& path);
    // The live process the device's lock names (this process included);
    // nullopt when there is no lock, it is stale or it cannot be read.
    static std::optional<pid_t> LiveHolder(const std::string& path);

    // Takes the lock of `path` for this process, replacing a stale one.
    // Returns the live process that holds it instead; nullopt when the lock
    // is ours now or the folder takes none. An earlier lock is let go first.
    std::optional<pid_t> Acquire(const std::string& path);
    // Removes the lock file if it still names this process; harmless when
    // no lock is held.
    void Release();
    bool Held() const { return !file_.empty(); }

  private:
    std::string file_;  // the lock file held; empty when none
};

}  // namespace serial
