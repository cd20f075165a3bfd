#include "check/RunCheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cctype>
#include <memory>

#include "check/CheckTexts.h"
#include "check/LineCheck.h"
#include "check/ReportJson.h"
#include "check/ReportTable.h"
#include "platform/os/StderrLine.h"
#include "platform/os/StopSignals.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/PortName.h"
#include "platform/serial/SerialTexts.h"

namespace check {

namespace {

bool SamePort(const std::string& a, const std::string& b) {
    if (const auto port = serial::PortName::Parse(a); port && port == serial::PortName::Parse(b))
        return true;
    // Two names may map to one device, also through links (by-id names):
    // its second open would fail as held by another program. Each `loop`
    // is a line of its own.
    const auto& map = serial::PortMap::Current();
    const std::string da = map.DeviceFor(a);
    const std::string db = map.DeviceFor(b);
    if (da.empty() || db.empty() || da == serial::texts::kLoopDevice ||
        db == serial::texts::kLoopDevice)
        return false;
    // By the file each path leads to (std::filesystem::equivalent refuses
    // to compare device files).
    struct stat sa {
    }, sb{};
    return ::stat(da.c_str(), &sa) == 0 && ::stat(db.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

}  // namespace

int RunCheck(const CheckOptions& options, const SweepTables& tables, std::FILE* out,
             std::FILE* err) {
    if (options.to && SamePort(*options.to, options.port)) {
        std::fputs(os::ProgramLine(texts::kSamePort).c_str(), err);
        return kExitUsage;
    }
    // Held from before any thread starts (the loopback echo's, Qt's), so
    // that no thread takes a stop signal's default action.
    os::StopSignals stop;
    // The loopback line's echo runs on a thread of its own, which Qt lets
    // run only under an application object.
    int argc = 1;
    char name[] = "comtest";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr)
        app = std::make_unique<QCoreApplication>(argc, argv);

    int code = kExitUsage;
    {
        LineCheck check(options, tables);
        if (const auto opened = check.Open(); !opened) {
            std::fputs(os::ProgramLine(std::string(texts::kCannotOpen) + opened.Error()).c_str(),
                       err);
            return kExitUsage;
        }
        const bool terminal = ::isatty(::fileno(err)) != 0;
        LineCheck::Progress progress;
        if (terminal)
            progress = [err](const std::string& line) {
                std::fprintf(err, "\r%s\033[K", line.c_str());
                std::fflush(err);
            };
        const CheckReport report = check.Run(progress, &stop);
        if (terminal) std::fprintf(err, "\r\033[K");

        if (options.json) {
            const QByteArray json = ReportJson(report);
            std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), out);
        } else {
            std::fputs(ReportTable(report).c_str(), out);
        }
        std::fflush(out);
        code = report.ExitCode();
    }
    // With the ports closed, and so set back as they were found, a stop
    // signal ends the process the way it would have.
    stop.Resend();
    return code;
}

}  // namespace check
