#pragma once
// Everything a piece of code writes to the process's standard error (POSIX):
// either around a body,
//
//   const std::string err = testsupport::CaptureStderr([&] { port.Open("Com5"); });
//
// or over a stretch of a test, where the stretch declares what it needs
// later or may stop early at a failed assertion:
//
//   testsupport::StderrCapture capture;
//   ...
//   const std::string err = capture.Take();
//
// Standard error is restored by Take or, at the latest, when the capture
// goes out of scope (a failed ASSERT leaves the test with it restored).

#include <unistd.h>

#include <cstdio>
#include <string>

namespace testsupport {

class StderrCapture {
  public:
    StderrCapture() : sink_(std::tmpfile()) {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        ::dup2(::fileno(sink_), STDERR_FILENO);
    }
    ~StderrCapture() {
        Restore();
        std::fclose(sink_);
    }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Restores standard error and returns what was written to it meanwhile.
    std::string Take() {
        Restore();
        std::string text;
        std::rewind(sink_);
        for (int c; (c = std::fgetc(sink_)) != EOF;) text += static_cast<char>(c);
        return text;
    }

  private:
    void Restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
    }

    std::FILE* sink_;
    int saved_ = -1;
};

template <typename Body>
std::string CaptureStderr(Body body) {
    StderrCapture capture;
    body();
    return capture.Take();
}

}  // namespace testsupport
