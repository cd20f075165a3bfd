#pragma once
// Texts of the command line: the help, the version line and the error lines,
// defined once. The manual page (docs/comtest.1) describes every option the
// help lists, and a test holds the two to the same options.

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
    "before the rest of the command line is read (so a wrong option beside it "
    "goes unnoticed), unless the program's file name ends in \"dbg\" and "
    "KXCurrentPrjDir is set";
inline constexpr std::string_view kCheckValueName = "ComN";
inline constexpr std::string_view kCheckDescription =
    "check port ComN (Com1 to Com255) through a loopback plug without the window, "
    "setting by setting (see Line check below), and exit";
inline constexpr std::string_view kToValueName = "ComM";
inline constexpr std::string_view kToDescription =
    "with --check: check the cable from ComN to ComM instead, both directions";
inline constexpr std::string_view kListValueName = "N[,N...]";
inline constexpr std::string_view kBaudDescription =
    "with --check: only these baud rates; any rate the device accepts";
inline constexpr std::string_view kParityValueName = "NAME[,NAME...]";
inline constexpr std::string_view kParityDescription =
    "with --check: only these parities (none, odd, even, mark, space)";
inline constexpr std::string_view kDataBitsDescription =
    "with --check: only these data bits (5 to 8)";
inline constexpr std::string_view kStopBitsDescription =
    "with --check: only these stop bits (1, 1.5, 2)";
inline constexpr std::string_view kBytesValueName = "N";
inline constexpr std::string_view kBytesDescription =
    "with --check: send N bytes a setting instead of half a second's worth";
inline constexpr std::string_view kJsonDescription = "with --check: write the report as JSON";
inline constexpr std::string_view kInternalDescription =
    "with --check: check each setting first through each port's own UART loopback "
    "(TIOCM_LOOP), where the driver offers it, to tell a port at fault from a plug or cable";
inline constexpr std::string_view kRepeatDescription =
    "with --check: a soak: go through the settings N times, each row summing up its passes";
inline constexpr std::string_view kDurationValueName = "TIME";
inline constexpr std::string_view kDurationDescription =
    "with --check: a soak: go through the settings again and again until TIME (90s, 10m, 2h) "
    "has passed, at least once; with --repeat, whichever ends first";

// Sections after the options.
inline constexpr std::string_view kDetails =
    "Ports:\n"
    "  Each serial device of the machine gets a port number when it is first seen\n"
    "  and keeps it across unplugging, other USB sockets and restarts: built-in\n"
    "  UARTs first, then USB adapters, each the lowest number not taken. The\n"
    "  numbers are kept in the settings file registry.ini. ComN is the device given\n"
    "  with --port, else the one named by the environment variable COMTEST_COMN\n"
    "  (COMTEST_COM3 for Com3), else the device numbered N. Port names compare\n"
    "  without regard to case. The device \"loop\" is a built-in line that acts\n"
    "  as a port with a loopback plug: it sends back every byte written to it,\n"
    "  takes every setting (with 7 data bits a byte comes back without its top\n"
    "  bit) and wires RTS to CTS and DTR to DSR and DCD; a file of that name is\n"
    "  reached as ./loop. A port is held exclusively while a test runs; when its\n"
    "  device is pulled and put back, the test resumes by itself.\n"
    "  Ctrl+C (SIGINT), SIGTERM or SIGHUP ends comtest within a second wherever it\n"
    "  is, in a box or at start-up too: a test is ended as \"Конец теста\" does,\n"
    "  which sets the port back; one line on standard error names the signal, and\n"
    "  comtest ends by it. A signal ignored at start stays ignored. SIGQUIT,\n"
    "  SIGUSR1, SIGUSR2, SIGALRM and SIGPIPE set a port under test back first.\n"
    "\n"
    "Line check:\n"
    "  --check needs no window and no display. It maps which modem inputs follow\n"
    "  RTS and DTR, then applies each setting, reads back what the device took\n"
    "  (with --to, what each end took: \"applied\" the sending end, \"far applied\"\n"
    "  the receiving one), sends a seeded pattern of the setting's own and compares\n"
    "  what comes back. After a difference the comparison finds where the bytes\n"
    "  agree again, so the first event of a row reads \"1 missing at 500\", \"1\n"
    "  extra at 501\" or \"1 changed at 12\" (offsets in the bytes sent; \"wrong\"\n"
    "  counts changed bytes only), or \"500 late at 500\": bytes that came after\n"
    "  the setting's time, while the line was read until quiet before the next\n"
    "  setting or ahead of its own bytes; they count against the setting they\n"
    "  belong to, never the next. A setting whose pattern's last bytes have come\n"
    "  ends without waiting out its timeout. --json lists the first 32 events of\n"
    "  a row with the bytes around each in hex. On a line a wire paces at both ends\n"
    "  (no pseudo-terminal, not \"loop\"), a setting that carried every byte but at\n"
    "  a rate more than 10% away from its nominal rate is \"rate off\" and fails the\n"
    "  check. The nominal rate is the baud rate over the bits of a character: a\n"
    "  start bit, the data bits, a parity bit unless the parity is none, and 1, 1.5\n"
    "  or 2 stop bits (9600 8N1: 960 bytes/s); the rate is the bytes over the time\n"
    "  from the first sent to the last come back, judged when the pattern takes\n"
    "  0.25 s or more on the wire. By default: every baud rate of the\n"
    "  window at 8N1, then each parity, data-bit and stop-bit choice at 9600;\n"
    "  --baud, --parity, --data-bits and --stop-bits narrow it to every\n"
    "  combination of their values. A loopback plug joins TX to RX, RTS to CTS, and\n"
    "  DTR to DSR and DCD; a null-modem cable for --to crosses the same pairs.\n"
    "  At the first setting it checks RTS/CTS hardware flow control: with it on,\n"
    "  the receiving end drops RTS, so the sending end's CTS is low, and a pattern\n"
    "  is written; no byte may come until RTS rises again, then every byte must,\n"
    "  intact (\"flow control Com1: ok (...)\" beneath the table; a failure fails\n"
    "  the check). A line without modem lines (a pseudo-terminal) or whose CTS\n"
    "  does not follow RTS gets \"not supported\" with the reason.\n"
    "  --internal checks each setting first through each port's own loopback\n"
    "  inside the UART (rows \"Com1 (UART)\"); beneath the table a failed row then\n"
    "  says whether the port or the plug or cable is at fault. A port whose driver\n"
    "  does not keep the loopback (pseudo-terminals, \"loop\", most USB adapters)\n"
    "  gets \"internal loopback ComN: not supported\" and is checked as before.\n"
    "  --repeat or --duration makes the check a soak: the settings again and again\n"
    "  (a duration ends at the first setting after it, past the first pass), then\n"
    "  one table whose rows sum up their passes (bytes, events, the driver's error\n"
    "  counters, the time) with the longest time without a byte in any pass.\n"
    "  Ctrl+C (SIGINT), SIGTERM or SIGHUP stops a check: the ports are set back as\n"
    "  they were found, the settings finished are reported (a soak's totals so\n"
    "  far), and comtest ends by that signal.\n"
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
    "  lost device and for its return, an end by a stop signal and a settings file\n"
    "  that could not be read in a second are written to standard error, one line\n"
    "  each.\n"
    "\n"
    "Exit status:\n"
    "  0    a normal end, --help, --version, --list-ports, a public-name collection\n"
    "       run, or a --check in which every applied setting carried every byte\n"
    "  1    a --check in which a setting lost, changed, added or delayed bytes or\n"
    "       ran off its rate, or the device took none of the settings\n"
    "  255  comtest could not start (memory, its symbol table, the registration of\n"
    "       its classes, no usable display), the command line is wrong, --check\n"
    "       cannot open a port, or the output did not all reach standard output\n"
    "  51   a C++ exception that nothing caught\n"
    "  N    the code of a runtime error ended with \"Quit program\"\n";

// Error lines: "comtest: <what is wrong>; see comtest --help".
inline constexpr std::string_view kSeeHelp = "; see comtest --help";
inline constexpr std::string_view kUnexpectedArgument = "unexpected argument '";
inline constexpr std::string_view kModesExclude = " cannot be combined with ";
inline constexpr std::string_view kOnlyWith = " works only with ";
inline constexpr std::string_view kBadValue = "bad ";
inline constexpr std::string_view kCannotWriteOutput = "cannot write to standard output";

}  // namespace app::texts
