#pragma once
// Texts of the command line: the help, the version line and the error lines,
// defined once. The help is also the source of the manual page (help2man
// turns "Name:" headings at the start of a line into its sections), so every
// section heading stands alone on its line and ends in a colon.

#include <string_view>

namespace app::texts {

inline constexpr std::string_view kProgramName = "comtest";

inline constexpr std::string_view kUsage = "Usage: comtest [OPTION]...";

inline constexpr std::string_view kSummary =
    "Test a serial (RS-232) line in a window, as a simple terminal.\n"
    "\n"
    "Pick a port (Com1 to Com9), a baud rate (300 to 19200), a parity (none, odd,\n"
    "even, mark, space), 7 or 8 data bits and 1 or 2 stop bits, then start the\n"
    "test: every byte that arrives is shown in the pane (bytes below 32 as their\n"
    "code in square brackets, so CR LF shows as [13][10]) and every key pressed in\n"
    "the pane is sent to the port.\n";

inline constexpr std::string_view kOptionsHeading = "Options:";

// Option descriptions, one short sentence each; the help wraps them.
inline constexpr std::string_view kHelpDescription = "show this help and exit";
inline constexpr std::string_view kVersionDescription = "show the version and exit";
inline constexpr std::string_view kListPortsDescription =
    "list the ports in use (number, device, what it is, free or held by whom) and exit";
inline constexpr std::string_view kPortValueName = "ComN=PATH";
inline constexpr std::string_view kPortDescription =
    "use the device PATH (or \"loop\") for port ComN, N from 1 to 255; repeatable, "
    "the last mapping of a port wins";
inline constexpr std::string_view kCollectPublicsDescription =
    "only collect the program's public names: end at once with exit status 0, "
    "unless the program's file name ends in \"dbg\" and KXCurrentPrjDir is set";

// Sections after the options.
inline constexpr std::string_view kDetails =
    "Ports:\n"
    "  Each serial device of the machine gets a port number when it is first seen\n"
    "  and keeps it across unplugging, other USB sockets and restarts: built-in\n"
    "  UARTs first, then USB adapters, each the lowest number not taken. The\n"
    "  numbers are kept in the settings file registry.ini. ComN is the device given\n"
    "  with --port, else the one named by the environment variable COMTEST_COMN\n"
    "  (COMTEST_COM3 for Com3), else the device numbered N. Port names compare\n"
    "  without regard to case. The device \"loop\" is a built-in line that sends\n"
    "  back every byte written to it; a file of that name is reached as ./loop. A\n"
    "  port is held exclusively while a test runs; when its device is pulled and\n"
    "  put back, the test resumes by itself.\n"
    "\n"
    "Environment:\n"
    "  COMTEST_COMN     the device of port ComN, when no --port maps it\n"
    "  COMTEST_REGISTRY the settings file, instead of comtest/registry.ini in the\n"
    "                   user's configuration folder\n"
    "  KXCurrentPrjDir  lets a public-name collection run of a program whose name\n"
    "                   ends in \"dbg\" go on to the window\n"
    "\n"
    "Files:\n"
    "  Runtime errors are shown in a dialog and appended to KXERROR.LOG in the\n"
    "  directory comtest was started from. Reasons for failed port opens, for a\n"
    "  lost device and for its return are written to standard error, one line each.\n"
    "\n"
    "Exit status:\n"
    "  0    a normal end, --help, --version, --list-ports or a public-name\n"
    "       collection run\n"
    "  255  comtest could not start (memory, its symbol table, the registration of\n"
    "       its classes, no usable display) or the command line is wrong\n"
    "  51   a C++ exception that nothing caught\n"
    "  N    the code of a runtime error ended with \"Quit program\"\n";

// Error lines: "comtest: <what is wrong>; see comtest --help".
inline constexpr std::string_view kErrorPrefix = "comtest: ";
inline constexpr std::string_view kSeeHelp = "; see comtest --help";
inline constexpr std::string_view kUnexpectedArgument = "unexpected argument '";
inline constexpr std::string_view kModesExclude = " cannot be combined with ";

}  // namespace app::texts
