#pragma once
// The program's command line, read with Qt's parser before any toolkit
// application exists. Options are declared once, in the table of
// CommandLineParser.cpp: names, value name, help description, the mode the
// option asks for (if any) and the function that reads its values into
// CommandLineOptions. The help lists them from that table.
//
// Rules: long options take "--name VALUE" or "--name=VALUE" (a single dash
// works too: -help); "--" ends the options. An unknown option, a missing or
// malformed value, a positional argument or two different modes (--version
// with another mode option) make the parse fail with one line saying what is
// wrong and pointing at --help. --help wins over every other option once the
// command line is well formed.

#include <QStringList>
#include <string>

#include "app/CommandLineOptions.h"

namespace app {

class CommandLineParser {
  public:
    struct Result {
        CommandLineOptions options;
        // One line, without a line end; empty when the command line is good.
        std::string error;
    };

    // `ports` is the map the --port mappings go onto: the process
    // environment and the defaults unless a caller gives another.
    explicit CommandLineParser(serial::PortMap ports = serial::PortMap());

    // arguments[0] is the program's name and is not an argument.
    Result Parse(const QStringList& arguments) const;

    // The --help text: usage, summary, every declared option, the port,
    // environment, log and exit-status sections; ends with a line end.
    static std::string HelpText();
    // "comtest VERSION" and a line end; the version is the build's project
    // version.
    static std::string VersionText();

  private:
    serial::PortMap ports_;
};

}  // namespace app
