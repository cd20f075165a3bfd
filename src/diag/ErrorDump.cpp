#include "diag/ErrorDump.h"

#include <cmath>
#include <cstdint>

#include "diag/DiagTexts.h"
#include "errors/HexValue.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/ErrorTexts.h"

namespace diag {
namespace {

constexpr std::size_t kLabelWidth = 16;
constexpr std::string_view kCrLf = "\r\n";

// A number field taken as an unsigned 32-bit number; 0 for anything else.
std::uint32_t AsU32(const rt::Usual& value) {
    RT_ENTER("ASU32", kLogFileModule);
    if (value.IsLong()) return static_cast<std::uint32_t>(value.AsLong());
    if (!value.IsFloat() || !std::isfinite(value.AsFloat())) return 0;
    const double whole = std::trunc(value.AsFloat());
    if (whole < -2147483648.0 || whole > 4294967295.0) return 0;
    return whole < 0 ? static_cast<std::uint32_t>(static_cast<std::int64_t>(whole))
                     : static_cast<std::uint32_t>(whole);
}

}  // namespace

DumpStamp DumpStamp::Now() {
    RT_ENTER("DUMPSTAMP:NOW", kLogFileModule);
    return DumpStamp{rt::Version(), rt::DToC(rt::Today()), rt::Time()};
}

std::string DumpLabel(std::string_view name) {
    RT_ENTER("DUMPLABEL", kLogFileModule);
    std::string label(name);
    if (label.size() < kLabelWidth) label.resize(kLabelWidth, ' ');
    return label + ":";
}

std::vector<std::string> ErrorDumpLines(const ErrorPropertyReader& read, const DumpStamp& stamp) {
    RT_ENTER("ERRORDUMPLINES", kLogFileModule);
    auto field = [&](std::string_view name) { return read(name).value_or(rt::NIL); };
    auto text = [&](std::string_view name) { return DumpLabel(name) + rt::AsString(field(name)); };
    auto type = [&](std::string_view name) {
        return DumpLabel(name) + rt::TypeString(AsU32(field(name)));
    };
    auto hex = [&](std::string_view label, std::string_view name) {
        return DumpLabel(label) + errors::HexValue(field(name));
    };

    std::vector<std::string> lines{
        std::string(kDumpBanner),
        stamp.version,
        stamp.date + " " + stamp.time,
        std::string(kDumpSpace),
        std::string(kDumpObjectHeading),
        std::string(kDumpRule),
        text("SubSystem"),
        text("SubCode"),
        DumpLabel("GenCode") + rt::ErrString(AsU32(field("GenCode"))),
    };

    if (const auto stack = read("Stack")) {
        const std::string listing = rt::AsString(*stack);
        // Positions from 1 as in the layout description; `end` is where the
        // line's CR LF starts, or one past the text.
        auto next = [&](std::size_t from) {
            const auto at = listing.find(kCrLf, from - 1);  // npos past the end
            return at == std::string::npos ? listing.size() + 1 : at + 1;
        };
        std::size_t start = 1;
        std::size_t end = next(start);
        while (end > start) {
            lines.push_back(DumpLabel(start == 1 ? "Stack" : "") + std::string(kDumpQuote) +
                            listing.substr(start - 1, end - start) + std::string(kDumpQuote));
            start = end + 2;
            end = next(start);
        }
    }

    if (field("SubCode") == rt::Usual(static_cast<std::int32_t>(kOsExceptionSubCode))) {
        lines.push_back(hex("ExceptionCode", "OsCode"));
        lines.push_back(hex("ExceptionFlags", "ArgType"));
        lines.push_back(hex("ExceptionAddress", "FuncPtr"));
        lines.push_back(DumpLabel("ParamNumber") + rt::AsString(field("ArgNum")));
        lines.push_back(hex("ExceptionInfo", "FuncSym"));
    } else {
        lines.push_back(text("OsCode"));
        lines.push_back(type("ArgType"));
        lines.push_back(text("FuncPtr"));
        lines.push_back(text("ArgNum"));
        lines.push_back(text("FuncSym"));
    }

    for (const char* name :
         {"Severity", "CanDefault", "CanRetry", "CanSubstitute", "Operation", "Description",
          "FileName", "Tries", "FileHandle", "SubCodeText", "Arg"})
        lines.push_back(text(name));
    lines.push_back(type("ArgTypeReq"));
    lines.push_back(text("MaxSize"));
    lines.push_back(type("SubstituteType"));
    lines.push_back(text("CallFuncSym"));
    lines.push_back(std::string(kDumpRule));
    return lines;
}

}  // namespace diag
