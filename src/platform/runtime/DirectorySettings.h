#pragma once
// The runtime's directories: the working directory recorded at start-up and
// the two default-directory settings that relative file names are resolved
// against (see Directories.h for the operations).

#include <string>

namespace rt {

struct DirectorySettings {
    // Records the process's current directory, ending in a separator.
    DirectorySettings();

    std::string workDir;
    std::string defaultDir;   // SetDefaultDir; wins over `defaultPath`
    std::string defaultPath;  // SetDefault
};

}  // namespace rt
