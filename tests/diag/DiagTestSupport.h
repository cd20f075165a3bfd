#pragma once
// Shared by the diagnostics tests: paths written with "/" in the
// tables and turned into the platform's form, and environment variables set
// for one test and restored afterwards.

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <string>

#include "diag/DiagTexts.h"

namespace diag::testing {

inline std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '/', kPathSep);
    return path;
}

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), previous_(qgetenv(name)) {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, previous_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    bool had_;
    QByteArray previous_;
};

}  // namespace diag::testing

#include <fstream>
#include <iterator>

namespace diag::testing {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace diag::testing
