// The bash completion (src/app/resources/comtest.bash) run in bash as
// bash-completion runs it: the file is sourced, `complete -p` names its
// function, and the function is called with COMP_WORDS and COMP_CWORD as bash
// sets them for a command line, the built program as the command.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "DeviceTree.h"

namespace app {
namespace {

using serial::testing::DeviceTree;

// Sources the completion, prints what `complete -p` says, completes the words
// given as arguments (the last one under the cursor) and prints the options
// the function set through compopt, then each reply on a line of its own.
constexpr char kScript[] = R"(
source "$1" || exit 3
shift
complete -p comtest
chosen=()
compopt() { chosen+=("$@"); }
COMP_WORDS=("$@")
COMP_CWORD=$(($# - 1))
COMP_LINE="$*"
COMP_POINT=${#COMP_LINE}
_comtest
echo "compopt: ${chosen[*]}"
printf '%s\n' "${COMPREPLY[@]}"
)";

struct Completion {
    std::string registered;  // what `complete -p comtest` printed
    std::string compopt;     // the compopt arguments, e.g. "-o nospace"
    std::vector<std::string> replies;
};

// Completes the words after "comtest" as bash splits them: "=" is a word of
// its own, and the last word is the one the cursor is on.
Completion Complete(const QStringList& words, const DeviceTree& tree, const QString& dir) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "none-such");
    env.insert("COMTEST_DEVICE_ROOT", QString::fromStdString(tree.Root()));
    env.insert("COMTEST_REGISTRY", QDir(dir).filePath("registry.ini"));
    QProcess bash;
    bash.setProcessEnvironment(env);
    bash.setWorkingDirectory(dir);
    bash.start("bash", QStringList{"--norc", "--noprofile", "-c", kScript, "bash",
                                   COMTEST_BASH_COMPLETION, COMTEST_PROGRAM} +
                           words);
    if (!bash.waitForFinished(30000)) {
        bash.kill();
        bash.waitForFinished();
        ADD_FAILURE() << "bash did not end";
    }
    EXPECT_EQ(bash.exitCode(), 0) << bash.readAllStandardError().toStdString();
    QStringList lines =
        QString::fromUtf8(bash.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    Completion completion;
    if (!lines.isEmpty()) completion.registered = lines.takeFirst().toStdString();
    if (!lines.isEmpty()) completion.compopt = lines.takeFirst().section(": ", 1).toStdString();
    for (const QString& line : lines) completion.replies.push_back(line.toStdString());
    return completion;
}

TEST(BashCompletionTest, CompletesOptionsValuesAndPorts) {
    struct Case {
        QStringList words;
        std::vector<std::string> replies;
        std::string compopt = "";  // what the function set through compopt
    };
    const Case cases[] = {
        // Options, as --help lists them.
        {{"--pa"}, {"--parity"}},
        {{"--c"}, {"--collect-publics", "--check"}},
        {{"--check", "Com1", "--s"}, {"--stop-bits"}},
        // Fixed values, the last element of a list, after a space or "=".
        {{"--parity", ""}, {"none", "odd", "even", "mark", "space"}},
        {{"--parity", "none,e"}, {"none,even"}},
        {{"--parity", "=", "m"}, {"mark"}},
        {{"--data-bits", "="}, {"5", "6", "7", "8"}},
        {{"--stop-bits", "1"}, {"1", "1.5"}},
        {{"--stop-bits", "2,1"}, {"2,1", "2,1.5"}},
        {{"--baud", "1"}, {"1200", "14400", "19200"}},
        {{"--bytes", ""}, {}},
        // Ports: those --list-ports prints, with the line's own mappings.
        {{"--check", ""}, {"Com1"}},
        {{"--port", "Com4", "=", "loop", "--check", "Com1", "--to", "C"}, {"Com1", "Com4"}},
        {{"--port", "Co"},
         {"Com1=", "Com2=", "Com3=", "Com4=", "Com5=", "Com6=", "Com7=", "Com8=", "Com9="},
         "-o nospace"},
        {{"--port", "Com2", "=", "lo"}, {"loop", "loopback.txt"}, "-o filenames"},
        // A plain word is no option.
        {{"--check", "Com1", ""}, {}},
    };
    DeviceTree tree;
    QTemporaryDir dir;
    ASSERT_TRUE(tree.Ok() && dir.isValid());
    tree.AddUsb("ttyUSB0");
    QFile file(dir.filePath("loopback.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    for (const Case& c : cases) {
        const std::string line = ("comtest " + c.words.join(' ')).toStdString();
        const Completion completion = Complete(c.words, tree, dir.path());
        EXPECT_EQ(completion.registered, "complete -F _comtest comtest") << line;
        EXPECT_EQ(completion.replies, c.replies) << line;
        EXPECT_EQ(completion.compopt, c.compopt) << line;
    }
}

}  // namespace
}  // namespace app
