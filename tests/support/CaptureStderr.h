#pragma once
// Everything a piece of code writes to the process's standard error (POSIX).

#ifndef _WIN32

#include <unistd.h>

#include <cstdio>
#include <string>

namespace testsupport {

template <typename Body>
std::string CaptureStderr(Body body) {
    std::fflush(stderr);
    std::FILE* sink = std::tmpfile();
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(sink), STDERR_FILENO);
    body();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::string text;
    std::rewind(sink);
    for (int c; (c = std::fgetc(sink)) != EOF;) text += static_cast<char>(c);
    std::fclose(sink);
    return text;
}

}  // namespace testsupport

#endif
