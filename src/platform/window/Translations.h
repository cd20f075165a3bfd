#pragma once
// The program's texts in the user's language. The program's own texts are
// its source texts; a translation is a Qt Linguist file "comtest_<lang>.qm"
// (built from translations/comtest_<lang>.ts). Texts to translate are
// marked QT_TRANSLATE_NOOP("comtest", ...) where they are defined and go
// through Text where they are shown; texts written to log files never do.

#include <QString>
#include <QStringList>
#include <string>

class QCoreApplication;

namespace win {

class Translations {
  public:
    // The program's own language, and the one it has a translation into.
    static constexpr const char* kOwnLanguage = "ru";
    static constexpr const char* kEnglish = "en";

    // Installs the translation into `language` found first in `folders`
    // (nothing for the program's own language or an empty one). Answers
    // whether the texts are now in that language.
    static bool Install(QCoreApplication& app, const std::string& language,
                        const QStringList& folders);
    // The folders the program looks in: its own folder (the build tree) and
    // ../share/comtest/translations beside it (an installed program).
    static QStringList ProgramFolders();
    // Installs the language the environment asks for from ProgramFolders.
    static void InstallForUser(QCoreApplication& app);

    // `source` in the installed language; itself without a translation.
    static QString Text(const char* source);
    static QString Text(const QString& source);
};

}  // namespace win
