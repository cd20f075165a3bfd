#pragma once
// The runtime's directories and the running program's path.
//
// WorkDir is the process's current directory when the runtime started,
// always ending in a separator; it does not follow later changes of the
// process's directory. The two default-directory settings decide where a
// relative file name of the file operations (Files.h) lives: the one set by
// SetDefaultDir when it is not empty, else the one set by SetDefault, else
// the process's current directory. Both start empty.

#include <string>
#include <string_view>

namespace rt {

inline constexpr char kPathSeparator = '/';

std::string WorkDir();
// Points the working directory elsewhere (a host that starts the runtime in
// another folder, a test's scratch folder); a separator is added when the
// text does not end in one. Returns the previous working directory.
std::string SetWorkDir(std::string_view dir);

std::string GetDefaultDir();
// Sets the default directory; an empty text clears it. Returns the previous
// setting.
std::string SetDefaultDir(std::string_view dir);
std::string GetDefault();
// Sets the default path used when no default directory is set; an empty
// text clears it. Returns the previous setting.
std::string SetDefault(std::string_view path);

// `name` as the file operations open it: an absolute name unchanged, a
// relative one under the default directory in force (see above).
std::string ResolveFileName(std::string_view name);

// The full path of the running program; empty when the platform cannot
// tell. (The leading underscore is the runtime's own name for it.)
std::string ExecName();

}  // namespace rt
