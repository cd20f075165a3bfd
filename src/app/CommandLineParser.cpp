#include "app/CommandLineParser.h"

#include <QCommandLineParser>
#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "app/CheckTables.h"
#include "app/CommandLineTexts.h"
#include "app/Version.h"
#include "check/OptionValues.h"
#include "platform/os/StderrLine.h"
#include "platform/runtime/Expected.h"

namespace app {
namespace {

using Mode = CommandLineOptions::Mode;

// Reads an option's values (one per occurrence; none for a switch) into the
// options. A failure says what is wrong, without prefix or hint.
using ReadValues = rt::Expected<> (*)(const QStringList& values, CommandLineOptions& options);

struct OptionDeclaration {
    std::vector<std::string_view> names;  // one letter: a short name
    std::string_view valueName;           // empty for a switch
    std::string_view description;
    std::optional<Mode> mode;  // the run the option asks for
    ReadValues read = nullptr;
    std::optional<Mode> shapes;  // the one run the option belongs to, if any
};

rt::Expected<> ReadPorts(const QStringList& values, CommandLineOptions& options) {
    for (const QString& value : values) {
        if (const auto added = options.ports.AddMapping(value.toStdString()); !added) {
            return rt::Fail(added.Error());
        }
    }
    return {};
}

// The last value given counts, as options taking one value usually do.
std::string Last(const QStringList& values) {
    return values.isEmpty() ? std::string() : values.constLast().toStdString();
}

rt::Expected<> ReadJson(const QStringList&, CommandLineOptions& options) {
    options.check.json = true;
    return {};
}

// A check option's last value read by `parse` into `into`; its error
// ("'x': why") is put after "bad --option value".
template <typename Parse, typename Into>
rt::Expected<> CheckValue(std::string_view option, const QStringList& values, Parse parse,
                          Into& into) {
    auto parsed = parse(Last(values));
    if (!parsed)
        return rt::Fail(std::string(texts::kBadValue) + std::string(option) + " value " +
                        parsed.Error());
    into = std::move(*parsed);
    return {};
}

rt::Expected<> ReadCheck(const QStringList& values, CommandLineOptions& options) {
    return CheckValue("--check", values, check::ParsePortName, options.check.port);
}

rt::Expected<> ReadTo(const QStringList& values, CommandLineOptions& options) {
    return CheckValue("--to", values, check::ParsePortName, options.check.to);
}

rt::Expected<> ReadInternal(const QStringList&, CommandLineOptions& options) {
    options.check.internal = true;
    return {};
}

rt::Expected<> ReadRepeat(const QStringList& values, CommandLineOptions& options) {
    return CheckValue("--repeat", values, check::ParseRepeat, options.check.repeat);
}

rt::Expected<> ReadDuration(const QStringList& values, CommandLineOptions& options) {
    return CheckValue("--duration", values, check::ParseDuration, options.check.duration);
}

rt::Expected<> ReadBauds(const QStringList& values, CommandLineOptions& options) {
    return CheckValue("--baud", values, check::ParseBauds, options.check.bauds);
}

rt::Expected<> ReadParities(const QStringList& values, CommandLineOptions& options) {
    return CheckValue(
        "--parity", values,
        [](const std::string& v) { return check::ParseParities(v, CheckTables().parities); },
        options.check.parities);
}

rt::Expected<> ReadDataBits(const QStringList& values, CommandLineOptions& options) {
    return CheckValue("--data-bits", values, check::ParseDataBits, options.check.dataBits);
}

rt::Expected<> ReadStopBits(const QStringList& values, CommandLineOptions& options) {
    return CheckValue("--stop-bits", values, check::ParseStopBits, options.check.stopBits);
}

rt::Expected<> ReadBytes(const QStringList& values, CommandLineOptions& options) {
    return CheckValue("--bytes", values, check::ParseByteCount, options.check.bytes);
}

// Every option of the program, in the order the help lists them. A new
// option is one entry here (with its texts in CommandLineTexts.h); a new mode
// also gets its case where WindowStart dispatches.
const std::vector<OptionDeclaration>& Declarations() {
    static const std::vector<OptionDeclaration> declarations = {
        {{"h", "help"}, {}, texts::kHelpDescription, Mode::Help, nullptr, std::nullopt},
        {{"version"}, {}, texts::kVersionDescription, Mode::Version, nullptr, std::nullopt},
        {{"list-ports"}, {}, texts::kListPortsDescription, Mode::ListPorts, nullptr, std::nullopt},
        {{"port"},
         texts::kPortValueName,
         texts::kPortDescription,
         std::nullopt,
         ReadPorts,
         std::nullopt},
        // The process entry acts on it before the arguments are parsed here;
        // it is declared so that the window run it may lead to accepts it.
        {{"collect-publics"},
         {},
         texts::kCollectPublicsDescription,
         std::nullopt,
         nullptr,
         std::nullopt},
        {{"check"},
         texts::kCheckValueName,
         texts::kCheckDescription,
         Mode::Check,
         ReadCheck,
         std::nullopt},
        {{"to"}, texts::kToValueName, texts::kToDescription, std::nullopt, ReadTo, Mode::Check},
        {{"baud"},
         texts::kListValueName,
         texts::kBaudDescription,
         std::nullopt,
         ReadBauds,
         Mode::Check},
        {{"parity"},
         texts::kParityValueName,
         texts::kParityDescription,
         std::nullopt,
         ReadParities,
         Mode::Check},
        {{"data-bits"},
         texts::kListValueName,
         texts::kDataBitsDescription,
         std::nullopt,
         ReadDataBits,
         Mode::Check},
        {{"stop-bits"},
         texts::kListValueName,
         texts::kStopBitsDescription,
         std::nullopt,
         ReadStopBits,
         Mode::Check},
        {{"bytes"},
         texts::kBytesValueName,
         texts::kBytesDescription,
         std::nullopt,
         ReadBytes,
         Mode::Check},
        {{"json"}, {}, texts::kJsonDescription, std::nullopt, ReadJson, Mode::Check},
        {{"internal"}, {}, texts::kInternalDescription, std::nullopt, ReadInternal, Mode::Check},
        {{"repeat"},
         texts::kBytesValueName,
         texts::kRepeatDescription,
         std::nullopt,
         ReadRepeat,
         Mode::Check},
        {{"duration"},
         texts::kDurationValueName,
         texts::kDurationDescription,
         std::nullopt,
         ReadDuration,
         Mode::Check},
    };
    return declarations;
}

QStringList QtNames(const OptionDeclaration& declaration) {
    QStringList names;
    for (const auto name : declaration.names) names << QString::fromUtf8(name.data(), name.size());
    return names;
}

std::string Spelled(const OptionDeclaration& declaration) {
    std::string text;
    for (const auto name : declaration.names) {
        if (!text.empty()) text += ", ";
        text += name.size() == 1 ? "-" : "--";
        text += name;
    }
    if (!declaration.valueName.empty()) {
        text += ' ';
        text += declaration.valueName;
    }
    return text;
}

// Qt's "Unknown option 'x'." as "unknown option 'x'", to fit the line.
std::string FromQtError(const QString& qtError) {
    std::string text = qtError.toStdString();
    while (!text.empty() && (text.back() == '.' || text.back() == '\n')) text.pop_back();
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = char(text[0] - 'A' + 'a');
    return text;
}

// The whole line but its end, which the caller writes with it.
std::string ErrorLine(std::string_view what) {
    std::string line = os::ProgramLine(std::string(what) + std::string(texts::kSeeHelp));
    line.pop_back();
    return line;
}

// Words of `text` wrapped into lines of at most `width` columns, each but the
// first indented by `indent` spaces.
std::string Wrapped(std::string_view text, std::size_t indent, std::size_t width) {
    std::string out;
    std::size_t column = indent;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find(' ', pos), text.size());
        const std::string_view word = text.substr(pos, end - pos);
        if (column > indent && column + 1 + word.size() > width) {
            out += '\n';
            out.append(indent, ' ');
            column = indent;
        } else if (column > indent) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        pos = end + 1;
    }
    return out;
}

}  // namespace

CommandLineParser::CommandLineParser(serial::PortMap ports) : ports_(std::move(ports)) {}

CommandLineParser::Result CommandLineParser::Parse(const QStringList& arguments) const {
    Result result{CommandLineOptions{Mode::Window, ports_, {}}, {}};
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const auto& declaration : Declarations()) {
        QCommandLineOption option(QtNames(declaration));
        if (!declaration.valueName.empty()) {
            option.setValueName(
                QString::fromUtf8(declaration.valueName.data(), declaration.valueName.size()));
        }
        parser.addOption(option);
    }
    if (!parser.parse(arguments)) {
        result.error = ErrorLine(FromQtError(parser.errorText()));
        return result;
    }
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        result.error =
            ErrorLine(std::string(texts::kUnexpectedArgument) + extra.first().toStdString() + "'");
        return result;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        result.options.mode = Mode::Help;
        return result;
    }

    const OptionDeclaration* modeOption = nullptr;
    for (const auto& declaration : Declarations()) {
        const QString name = QtNames(declaration).constLast();
        if (!parser.isSet(name)) continue;
        if (declaration.mode) {
            if (modeOption != nullptr && modeOption->mode != declaration.mode) {
                result.error = ErrorLine(Spelled(*modeOption) + std::string(texts::kModesExclude) +
                                         Spelled(declaration));
                return result;
            }
            modeOption = &declaration;
            result.options.mode = *declaration.mode;
        }
        if (declaration.read == nullptr) continue;
        if (const auto read = declaration.read(parser.values(name), result.options); !read) {
            result.error = ErrorLine(read.Error());
            return result;
        }
    }
    // An option that shapes one run is wrong in any other.
    for (const auto& declaration : Declarations()) {
        if (!declaration.shapes || *declaration.shapes == result.options.mode) continue;
        if (!parser.isSet(QtNames(declaration).constLast())) continue;
        const auto owner =
            std::find_if(Declarations().begin(), Declarations().end(),
                         [&](const auto& d) { return d.mode == declaration.shapes; });
        result.error =
            ErrorLine(Spelled(declaration) + std::string(texts::kOnlyWith) + Spelled(*owner));
        return result;
    }
    return result;
}

std::string CommandLineParser::HelpText() {
    constexpr std::size_t kWidth = 79;
    std::size_t column = 0;
    for (const auto& declaration : Declarations()) {
        column = std::max(column, Spelled(declaration).size());
    }
    column += 4;  // two spaces before the names, two after the longest

    std::string text = std::string(texts::kUsage) + "\n" + std::string(texts::kSummary) + "\n" +
                       std::string(texts::kOptionsHeading) + "\n";
    for (const auto& declaration : Declarations()) {
        std::string line = "  " + Spelled(declaration);
        line.append(column - line.size(), ' ');
        text += line + Wrapped(declaration.description, column, kWidth) + "\n";
    }
    return text + "\n" + std::string(texts::kDetails);
}

std::string CommandLineParser::VersionText() {
    return std::string(texts::kProgramName) + " " + kVersion + "\n";
}

}  // namespace app
