#include "platform/window/PlatformStartWatch.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <cstdint>
#include <iostream>
#include <string>

#include "platform/os/SavedTerminals.h"
#include "platform/os/StderrLine.h"
#include "platform/runtime/Startup.h"
#include "platform/window/WindowTexts.h"

namespace win {
namespace {

std::string Quoted(const QString& text) {
    return " \"" + text.toStdString() + "\"";
}

// The toolkit's closing words on any failed start say nothing of the cause.
bool Generic(const QString& fatal) {
    return fatal.isEmpty() || fatal.startsWith(QStringLiteral("This application failed to start"));
}

// What the failed start lacks, from the toolkit's messages about it and the
// environment: the platforms it tried (named in its messages, else
// QT_QPA_PLATFORM), whether their plugins were found at all, and the
// display each needs. A Wayland desktop's cause comes before the X11
// fallback's.
std::string MissingText(const std::vector<QString>& messages, const QString& fatal, bool noScreen) {
    static const QRegularExpression named(QStringLiteral("platform plugin \"([^\"]*)\""));
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(';'), 0, 0);
    QString notFound;
    bool waylandTried = platform.startsWith(QStringLiteral("wayland"));
    for (const auto& text : messages) {
        const auto match = named.match(text);
        if (!match.hasMatch() || match.captured(1).isEmpty()) continue;
        platform = match.captured(1);
        if (platform.startsWith(QStringLiteral("wayland"))) waylandTried = true;
        if (text.contains(QStringLiteral("Could not find")) && notFound.isEmpty())
            notFound = platform;
    }
    const std::string line(texts::kCannotStart);
    if (noScreen) {
        const QString name = QGuiApplication::platformName();
        std::string said;
        for (const auto& text : messages) {
            if (text.startsWith(QStringLiteral("QStandardPaths"))) continue;
            said = ": " + text.toStdString();
            break;
        }
        return line + texts::kPlatformMissing + Quoted(name) + texts::kNoScreen + said;
    }
    if (notFound.startsWith(QStringLiteral("wayland"))) return line + texts::kWaylandPluginMissing;
    if (!notFound.isEmpty())
        return line + texts::kPlatformMissing + Quoted(notFound) + texts::kNotInstalled;
    if (waylandTried) {
        const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
        if (wayland.isEmpty()) {
            // Only when asked for by name; a desktop without Wayland falls
            // back to X11 silently.
            if (platform.startsWith(QStringLiteral("wayland")))
                return line + texts::kNoWaylandDisplay;
        } else {
            return line + texts::kWaylandRefused + Quoted(wayland);
        }
    }
    if (platform.isEmpty() || platform.startsWith(QStringLiteral("xcb"))) {
        const QString display = qEnvironmentVariable("DISPLAY");
        if (display.isEmpty()) return line + texts::kNoDisplay;
        return line + texts::kDisplayRefused + Quoted(display);
    }
    std::string said;
    if (!Generic(fatal)) said = ": " + fatal.trimmed().toStdString();
    return line + texts::kPlatformMissing + Quoted(platform) + texts::kNotStarted + said;
}

}  // namespace

PlatformStartWatch* PlatformStartWatch::active_ = nullptr;
QtMessageHandler PlatformStartWatch::afterStart_ = nullptr;

PlatformStartWatch::PlatformStartWatch() : previous_(qInstallMessageHandler(&Handle)) {
    active_ = this;
}

PlatformStartWatch::~PlatformStartWatch() {
    Release();
    if (following_) qInstallMessageHandler(previous_);
}

void PlatformStartWatch::Started() {
    // A window on no screen is the toolkit's abort.
    if (watching_ && QGuiApplication::primaryScreen() == nullptr) Fail(QString(), true);
    Release();
}

void PlatformStartWatch::Release() {
    if (!watching_) return;
    watching_ = false;
    active_ = nullptr;
    afterStart_ = previous_;
    following_ = true;
    qInstallMessageHandler(&Follow);
    for (const auto& message : held_) {
        const QByteArray category = message.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
        if (previous_ != nullptr) {
            previous_(message.type, context, message.text);
        } else {
            qt_message_output(message.type, context, message.text);
        }
    }
    held_.clear();
}

void PlatformStartWatch::Fail(const QString& fatal, bool noScreen) {
    std::vector<QString> messages;
    for (const auto& message : held_) messages.push_back(message.text);
    os::StderrLine(MissingText(messages, fatal, noScreen));
    // The toolkit cannot go on from here; the start fails as a start
    // that lacks anything else does.
    rt::ExitThroughEntry(static_cast<std::uint32_t>(-1));
}

void PlatformStartWatch::Follow(QtMsgType type, const QMessageLogContext& context,
                                const QString& text) {
    // The toolkit ends the process right after these words (_exit), with
    // no way back to the program's own end.
    if (text.startsWith(QStringLiteral("The Wayland connection"))) os::SavedTerminals::RestoreAll();
    if (afterStart_ != nullptr) {
        afterStart_(type, context, text);
    } else {
        qt_message_output(type, context, text);
    }
}

void PlatformStartWatch::Handle(QtMsgType type, const QMessageLogContext& context,
                                const QString& text) {
    PlatformStartWatch* watch = active_;
    if (watch == nullptr) return;
    if (type == QtFatalMsg) watch->Fail(text, false);
    watch->held_.push_back(
        {type, QString::fromUtf8(context.category ? context.category : ""), text});
}

}  // namespace win
