#include "platform/window/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>
#include <cstdlib>

#include "platform/os/MessageLanguage.h"

namespace win {
namespace {

constexpr char kContext[] = "comtest";

}  // namespace

bool Translations::Install(QCoreApplication& app, const std::string& language,
                           const QStringList& folders) {
    if (language.empty() || language == kOwnLanguage) return false;
    auto* translator = new QTranslator(&app);
    const QString file = QStringLiteral("comtest_") + QString::fromStdString(language);
    for (const QString& folder : folders) {
        if (translator->load(file, folder)) return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}

QStringList Translations::ProgramFolders() {
    const QString own = QCoreApplication::applicationDirPath();
    return {own, QDir::cleanPath(own + QStringLiteral("/../share/comtest/translations"))};
}

void Translations::InstallForUser(QCoreApplication& app) {
    const std::string language = os::MessageLanguage::Choose(
        [](const char* name) { return std::getenv(name); }, {kOwnLanguage, kEnglish});
    Install(app, language, ProgramFolders());
}

QString Translations::Text(const char* source) {
    return QCoreApplication::translate(kContext, source);
}

QString Translations::Text(const QString& source) {
    return Text(source.toUtf8().constData());
}

}  // namespace win
