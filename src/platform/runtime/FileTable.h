#pragma once
// The runtime's table of open files. A file handle is a small integer
// (1, 2, ...) naming a slot that holds the system's descriptor; the lowest
// free slot is reused. Handle 0 and F_ERROR name no file. The table also
// keeps the operating-system code of the last file operation (FError).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace rt {

using FHandle = std::uint32_t;
// The invalid handle: all 32 bits set.
inline constexpr FHandle F_ERROR = 0xFFFFFFFFu;

class FileTable {
  public:
    FileTable() = default;
    // Closes every file still open.
    ~FileTable();
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;

    // Takes ownership of an open descriptor and returns its handle.
    FHandle Add(int fd);
    // The descriptor of a handle, or -1 for a handle that names no open file.
    int Descriptor(FHandle handle) const;
    // Forgets the handle and gives back its descriptor for closing; -1 when
    // the handle names no open file.
    int Release(FHandle handle);
    std::size_t OpenCount() const;

    std::uint32_t LastError() const { return lastError_; }
    void SetLastError(std::uint32_t code) { lastError_ = code; }

  private:
    std::vector<int> slots_;  // slot i holds handle i + 1; -1 is free
    std::uint32_t lastError_ = 0;
};

}  // namespace rt
