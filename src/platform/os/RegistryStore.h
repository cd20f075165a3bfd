#pragma once
// The configuration store behind the registry calls: a plain text file in
// INI layout whose sections are key paths and whose entries are text values.
//
//   [HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\W3SVC\Parameters]
//   LogFileDirectory=%SystemRoot%\System32\LogFiles
//
// Location: the file named by the environment variable COMTEST_REGISTRY when
// it is set and not empty, else "comtest/registry.ini" in the user's generic
// configuration folder ($XDG_CONFIG_HOME or ~/.config on Linux, the local
// application data folder on Windows, ~/Library/Preferences on macOS).
//
// Reading is robust against any content: lines may hold any bytes; lines
// that are neither a section, an entry nor a comment (";" or "#") are
// skipped, and so are lines longer than kMaxLineBytes. The whole file is
// read, a chunk at a time, so a key is found wherever it stands. Key
// paths and value names compare without regard to ASCII letter case, as the
// registry does; when a key or a value occurs twice, the first one counts.
// Names and values are trimmed of spaces and tabs; a value in double quotes
// keeps the spaces inside the quotes.
//
// A device named as the store (a character or block special file such as
// /dev/zero, which never ends) holds nothing and takes nothing; a pipe, as
// a shell's process substitution gives, is read but takes nothing, and so
// does any other file that is not a regular one. No read waits for ever:
// the file is opened without waiting for a writer, and a read that has not
// ended within a second (a FIFO whose writer neither writes nor closes it)
// is given up with one line on standard error ("comtest: cannot read the
// settings file PATH: the read did not end within a second"). The process
// then neither reads nor writes that file again: it goes on without stored
// settings.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace os {

class RegistryStore {
  public:
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;
    // The largest store WriteValue rewrites (it holds the file in memory).
    static constexpr std::size_t kMaxStoreBytes = 1 << 20;

    // The store file as the environment names it now.
    static std::string DefaultPath();

    explicit RegistryStore(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    // Whether a read of this store was given up in this process (its line
    // was said); it then holds and takes nothing.
    bool GivenUp() const;
    bool HasKey(std::string_view keyPath) const;
    // The value's text, or nothing when the file, the key or the value is missing.
    std::optional<std::string> ReadValue(std::string_view keyPath,
                                         std::string_view valueName) const;
    // Adds an empty key at the end of the store, creating the file and its
    // folder when needed. FALSE when the file cannot be written. Callers add
    // only a key HasKey did not find, so a lookup repeated never writes.
    bool AddKey(std::string_view keyPath) const;
    // The entries of a key in file order, each name once (the first counts);
    // empty when the file or the key is missing.
    std::vector<std::pair<std::string, std::string>> ReadValues(std::string_view keyPath) const;
    // Sets the value `valueName` of a key, adding the key and the value as
    // needed; the other contents stay as they were. The file is replaced as
    // a whole (never left half written) under a lock file beside it, so
    // processes writing at once take turns. FALSE when the file cannot be
    // written, when it is larger than kMaxStoreBytes (writing it back would
    // lose the rest) or when the name or value holds a line break.
    bool WriteValue(std::string_view keyPath, std::string_view valueName,
                    std::string_view value) const;

  private:
    // The first kMaxStoreBytes of the file.
    std::string ReadAll() const;

    std::string path_;
};

}  // namespace os
