// The manual page (docs/comtest.1, written by hand) and `comtest --help` name
// the same options: every option the help lists has an entry under the page's
// OPTIONS heading, and every entry there is an option of the help.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <iterator>
#include <set>

namespace app {
namespace {

using Options = std::set<QString>;

// The dashed words ("-h", "--data-bits") of an option's name column.
Options DashedWords(const QString& text) {
    static const QRegularExpression word(
        QStringLiteral(R"((?:^|[\s,])(--?[A-Za-z0-9][A-Za-z0-9-]*))"));
    Options found;
    for (auto it = word.globalMatch(text); it.hasNext();) found.insert(it.next().captured(1));
    return found;
}

// The option lines of the help's "Options:" section, up to its first empty
// line: each starts with two spaces and a dash, and its name column ends at
// the first two spaces after it. Wrapped description lines are indented
// further, so a "--check" inside a description is never taken.
Options HelpOptions(const QString& help) {
    Options options;
    bool inOptions = false;
    for (const QString& line : help.split('\n')) {
        if (line == QStringLiteral("Options:")) inOptions = true;
        if (inOptions && line.isEmpty()) break;
        if (!inOptions || !line.startsWith(QStringLiteral("  -"))) continue;
        const qsizetype end = line.indexOf(QStringLiteral("  "), 2);
        options.merge(DashedWords(line.mid(2, end < 0 ? -1 : end - 2)));
    }
    return options;
}

// The tag lines of the .TP entries between ".SH OPTIONS" and the next heading,
// with troff's minus signs (\-) and font changes (\fB ... \fP) taken out.
Options PageOptions(const QString& page) {
    static const QRegularExpression fontChange(QStringLiteral(R"(\\f[A-Z])"));
    Options options;
    bool inOptions = false, tagNext = false;
    for (QString line : page.split('\n')) {
        if (line.startsWith(QStringLiteral(".SH "))) {
            inOptions = line.mid(4).trimmed() == QStringLiteral("OPTIONS");
            continue;
        }
        if (!inOptions) continue;
        if (tagNext) {
            line.replace(QStringLiteral("\\-"), QStringLiteral("-")).remove(fontChange);
            // A macro's name (".BR") is no option; plain text is taken whole.
            options.merge(DashedWords(line.startsWith('.') ? line.section(' ', 1) : line));
        }
        tagNext = line.startsWith(QStringLiteral(".TP"));
    }
    return options;
}

QString Listed(const Options& options) {
    return QStringList(options.begin(), options.end()).join(' ');
}

TEST(ManualPageTest, OptionsAreThoseOfTheHelp) {
    QProcess program;
    program.start(QStringLiteral(COMTEST_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(program.waitForFinished(30000));
    const Options help = HelpOptions(QString::fromUtf8(program.readAllStandardOutput()));
    QFile file(QStringLiteral(COMTEST_MANUAL_PAGE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << COMTEST_MANUAL_PAGE;
    const Options page = PageOptions(QString::fromUtf8(file.readAll()));

    // Both readings find the options that have been there from the start.
    for (const char* option : {"-h", "--help", "--port", "--check", "--data-bits"}) {
        EXPECT_TRUE(help.count(option))
            << option << " not found in --help: " << Listed(help).toStdString();
        EXPECT_TRUE(page.count(option))
            << option << " not found in the page: " << Listed(page).toStdString();
    }
    Options onlyHelp, onlyPage;
    std::set_difference(help.begin(), help.end(), page.begin(), page.end(),
                        std::inserter(onlyHelp, onlyHelp.end()));
    std::set_difference(page.begin(), page.end(), help.begin(), help.end(),
                        std::inserter(onlyPage, onlyPage.end()));
    EXPECT_TRUE(onlyHelp.empty()) << "in --help but not under OPTIONS in " COMTEST_MANUAL_PAGE ": "
                                  << Listed(onlyHelp).toStdString();
    EXPECT_TRUE(onlyPage.empty()) << "under OPTIONS in " COMTEST_MANUAL_PAGE " but not in --help: "
                                  << Listed(onlyPage).toStdString();
}

}  // namespace
}  // namespace app
