#include "platform/runtime/Directories.h"

#include <QCoreApplication>
#include <filesystem>
#include <system_error>

#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

std::string WithSeparator(std::string_view dir) {
    std::string text(dir);
    if (!text.empty() && text.back() != kPathSeparator && text.back() != '/') {
        text += kPathSeparator;
    }
    return text;
}

bool IsAbsolute(std::string_view name) {
    if (!name.empty() && (name.front() == '/' || name.front() == '\\')) return true;
    return false;
}

}  // namespace

std::string WorkDir() {
    return State().directories.workDir;
}

std::string SetWorkDir(std::string_view dir) {
    auto& settings = State().directories;
    std::string previous = settings.workDir;
    settings.workDir = WithSeparator(dir);
    return previous;
}

std::string GetDefaultDir() {
    return State().directories.defaultDir;
}

std::string SetDefaultDir(std::string_view dir) {
    auto& settings = State().directories;
    std::string previous = settings.defaultDir;
    settings.defaultDir = std::string(dir);
    return previous;
}

std::string GetDefault() {
    return State().directories.defaultPath;
}

std::string SetDefault(std::string_view path) {
    auto& settings = State().directories;
    std::string previous = settings.defaultPath;
    settings.defaultPath = std::string(path);
    return previous;
}

std::string ResolveFileName(std::string_view name) {
    if (name.empty() || IsAbsolute(name)) return std::string(name);
    const auto& settings = State().directories;
    const std::string& base =
        !settings.defaultDir.empty() ? settings.defaultDir : settings.defaultPath;
    if (base.empty()) return std::string(name);
    return WithSeparator(base) + std::string(name);
}

std::string ExecName() {
    std::error_code failed;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (!failed) return path.string();
    // Elsewhere the application object knows it, once it exists.
    if (QCoreApplication::instance()) {
        return QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
    }
    return {};
}

}  // namespace rt
