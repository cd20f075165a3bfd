#include "platform/window/PlatformStartWatch.h"

#include <QRegularExpression>
#include <cstdint>
#include <iostream>
#include <string>

#include "platform/runtime/Startup.h"
#include "platform/window/WindowTexts.h"

namespace win {
namespace {

// What the failed start lacks, from the toolkit's messages about it and the
// environment: the platform named in them (else QT_QPA_PLATFORM), whether
// its plugin was found at all, and the display the default platform needs.
std::string MissingText(const std::vector<QString>& platformMessages) {
    static const QRegularExpression named(QStringLiteral("platform plugin \"([^\"]*)\""));
    QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    bool notFound = false;
    for (const auto& text : platformMessages) {
        const auto match = named.match(text);
        if (match.hasMatch() && !match.captured(1).isEmpty()) platform = match.captured(1);
        if (text.contains(QStringLiteral("Could not find"))) notFound = true;
    }
    const std::string line(texts::kCannotStart);
    if (notFound) {
        return line + texts::kPlatformMissing + " \"" + platform.toStdString() + "\"" +
               texts::kNotInstalled;
    }
    if (platform.isEmpty() || platform.startsWith(QStringLiteral("xcb"))) {
        const QString display = qEnvironmentVariable("DISPLAY");
        if (display.isEmpty()) return line + texts::kNoDisplay;
        return line + texts::kDisplayRefused + " \"" + display.toStdString() + "\"";
    }
    return line + texts::kPlatformMissing + " \"" + platform.toStdString() + "\"" +
           texts::kNotStarted;
}

}  // namespace

PlatformStartWatch* PlatformStartWatch::active_ = nullptr;

PlatformStartWatch::PlatformStartWatch() : previous_(qInstallMessageHandler(&Handle)) {
    active_ = this;
}

PlatformStartWatch::~PlatformStartWatch() {
    Started();
}

void PlatformStartWatch::Started() {
    if (!watching_) return;
    watching_ = false;
    qInstallMessageHandler(previous_);
    active_ = nullptr;
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

void PlatformStartWatch::Handle(QtMsgType type, const QMessageLogContext& context,
                                const QString& text) {
    PlatformStartWatch* watch = active_;
    if (watch == nullptr) return;
    if (type == QtFatalMsg) {
        std::vector<QString> platformMessages;
        for (const auto& message : watch->held_) platformMessages.push_back(message.text);
        platformMessages.push_back(text);
        std::cerr << MissingText(platformMessages) << std::endl;
        // The toolkit cannot go on from here; the start fails as a start
        // that lacks anything else does.
        rt::ExitThroughEntry(static_cast<std::uint32_t>(-1));
    }
    const QString category = QString::fromUtf8(context.category ? context.category : "");
    if (category.startsWith(QStringLiteral("qt.qpa"))) {
        watch->held_.push_back({type, category, text});
    } else if (watch->previous_ != nullptr) {
        watch->previous_(type, context, text);
    } else {
        qt_message_output(type, context, text);
    }
}

}  // namespace win
