#pragma once
// The error dump: a labelled listing of one error object, as the log writes
// it. The object is read property by property through a reader, so that any
// error object (and a test's hand-made one) can be dumped.
//
// Layout, one line each: the banner; the runtime version; the date, " ",
// the time; " "; "Error Object created:"; 20 hyphens; SubSystem, SubCode and
// GenCode (its message text); the call stack when the object has a
// non-empty Stack; five lines that show the exception data in hexadecimal
// when SubCode is 5333 and the usual fields otherwise; fifteen more fields;
// 20 hyphens. Every label is 17 characters: the name padded with spaces to
// 16, then ":"; the value follows directly.
//
// Stack: the text is split at each CR LF; each line is written between
// single quotes, the first under "Stack", the others under an empty label.
// The listing ends at the text's end or early at an empty line; a closing
// CR LF adds no line.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/runtime/Usual.h"

namespace diag {

// The value of the property `name` of the error object; nothing when the
// object has no such property. A missing property other than Stack is
// dumped as NIL.
using ErrorPropertyReader = std::function<std::optional<rt::Usual>(std::string_view name)>;

// The three texts that tell when and under which runtime the dump was made.
struct DumpStamp {
    std::string version;
    std::string date;
    std::string time;

    // The runtime's version, today's date and the current time.
    static DumpStamp Now();
};

// The label of a dump line for the field `name`.
std::string DumpLabel(std::string_view name);

// The dump's lines, without line ends.
std::vector<std::string> ErrorDumpLines(const ErrorPropertyReader& read, const DumpStamp& stamp);

}  // namespace diag
