#pragma once
// The runtime's file operations. Names are 8-bit byte strings, resolved
// against the default directory when relative (Directories.h); file
// contents are bytes, written as given.
//
// Sharing: a file opened for writing (FO_WRITE, FO_READWRITE, every
// FCreate) holds an exclusive advisory lock while its handle is open; a file
// opened for reading holds a shared one. An open or create that meets a lock
// it cannot share (held by another process, or by another handle of this
// one) fails with ERROR_SHARING_VIOLATION (32) and changes nothing in the
// file. The lock goes with FClose. Every open and create first clears the
// network-error flag (NetErr, ErrorSystem.h) and sets it when it fails on a
// sharing or lock violation, so the flag tells whether the last open or
// create failed because another holds the file.
//
// Failures return F_ERROR (opens), -1 (FSeek), 0 bytes (FPutS) or FALSE,
// never throw, and leave the operating-system code in FError() (Windows
// numbering, platform/os/SystemError.h: 2 file not found, 3 path not found,
// 5 access denied, 6 bad handle, 32 sharing violation, 112 disk full ...).
// Every operation sets FError(), to 0 on success.

#include <cstdint>
#include <string_view>

#include "platform/runtime/FileTable.h"

namespace rt {

// Open modes: the access in the low two bits (3 is refused with
// ERROR_INVALID_PARAMETER); the sharing bits above them are accepted and
// ignored, the sharing rule above applies to every open.
inline constexpr std::uint32_t FO_READ = 0;
inline constexpr std::uint32_t FO_WRITE = 1;
inline constexpr std::uint32_t FO_READWRITE = 2;

// Create attributes. Only FC_READONLY has an effect here: the new file gets
// no write permission (the handle returned can still write).
inline constexpr std::uint32_t FC_NORMAL = 0;
inline constexpr std::uint32_t FC_READONLY = 0x01;
inline constexpr std::uint32_t FC_HIDDEN = 0x02;
inline constexpr std::uint32_t FC_SYSTEM = 0x04;
inline constexpr std::uint32_t FC_ARCHIVED = 0x20;

// Seek origins.
inline constexpr std::uint32_t FS_SET = 0;
inline constexpr std::uint32_t FS_RELATIVE = 1;
inline constexpr std::uint32_t FS_END = 2;

// Opens an existing file. Positioned at its start.
FHandle FOpen(std::string_view name, std::uint32_t mode = FO_READ);
FHandle FOpen2(std::string_view name, std::uint32_t mode);

// Creates a file, or empties an existing one, and opens it for reading and
// writing. An existing file held by another handle is left untouched.
FHandle FCreate(std::string_view name, std::uint32_t attributes = FC_NORMAL);
FHandle FCreate2(std::string_view name, std::uint32_t attributes);

// Moves the file position `offset` bytes from the origin; returns the new
// position from the start, or -1 (bad handle, bad origin, a position before
// the start).
std::int64_t FSeek(FHandle handle, std::int64_t offset, std::uint32_t origin = FS_SET);
std::int64_t FSeek3(FHandle handle, std::int64_t offset, std::uint32_t origin);

// Writes the text followed by CR LF at the file position; returns the
// number of bytes written, CR LF included (fewer on a failed write).
std::uint32_t FPutS(FHandle handle, std::string_view text);
// As FPutS, writing at most the first `count` bytes of the text.
std::uint32_t FPutS3(FHandle handle, std::string_view text, std::uint32_t count);

// Closes the handle and releases its lock; FALSE for a handle that names no
// open file.
bool FClose(FHandle handle);

// The operating-system code of the last file operation, 0 after a success.
std::uint32_t FError();

// TRUE when `name` exists and is not a directory.
bool File(std::string_view name);

// Copies the bytes of `from` into `to`, creating or emptying `to`. Reads
// under a shared lock and writes under an exclusive one, so it fails with
// 32 rather than copy a file being written or overwrite one being read.
bool FCopy(std::string_view from, std::string_view to);

}  // namespace rt
