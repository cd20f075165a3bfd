#pragma once
// Opening a log that other processes share. A writer that finds the file
// held by another (a sharing or lock violation of the file layer) tries
// again after a pause of 1 ms, ten attempts in all; any other failure ends
// the attempts at once. No writer waits much longer than 10 ms.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/runtime/FileTable.h"

namespace diag {

inline constexpr int kOpenAttempts = 10;
inline constexpr std::uint32_t kOpenPauseMs = 1;

// The operations the retry loop is made of; Defaults() gives the file
// layer's open, its last error code and the platform's pause.
struct RetryOps {
    std::function<rt::FHandle(const std::string& file, std::uint32_t mode)> open;
    std::function<bool()> conflict;  // did the last open fail on a held file?
    std::function<void(std::uint32_t milliseconds)> pause;

    static RetryOps Defaults();
};

// Opens the existing `file` with `mode`; the handle, or rt::F_ERROR when all
// attempts failed. Each failed attempt that met a held file is followed by
// one pause, so a file held throughout costs 10 opens and 10 pauses.
rt::FHandle OpenWithRetry(const std::string& file, std::uint32_t mode);
rt::FHandle OpenWithRetry(const std::string& file, std::uint32_t mode, const RetryOps& ops);

// TRUE when the last file operation failed on a file another holder keeps:
// the sharing or lock violation of the file layer.
bool LastFileHeldByAnother();

}  // namespace diag
