#include "diag/ErrorProperties.h"

#include <map>

#include "diag/DiagTexts.h"
#include "platform/runtime/Activation.h"

namespace diag {
namespace {

using errors::Error;
using Field = rt::Usual (*)(const Error&);

const std::map<std::string_view, Field>& Fields() {
    static const std::map<std::string_view, Field> fields{
        {"SubSystem", [](const Error& e) { return rt::Usual(e.SubSystem); }},
        {"SubCode", [](const Error& e) { return Error::Number(e.SubCode); }},
        {"GenCode", [](const Error& e) { return Error::Number(e.GenCode); }},
        {"OsCode", [](const Error& e) { return Error::Number(e.OsCode); }},
        {"Severity", [](const Error& e) { return Error::Number(e.Severity); }},
        {"CanDefault", [](const Error& e) { return rt::Usual(e.CanDefault); }},
        {"CanRetry", [](const Error& e) { return rt::Usual(e.CanRetry); }},
        {"CanSubstitute", [](const Error& e) { return rt::Usual(e.CanSubstitute); }},
        {"Operation", [](const Error& e) { return rt::Usual(e.Operation); }},
        {"Description", [](const Error& e) { return rt::Usual(e.Description); }},
        {"FileName", [](const Error& e) { return rt::Usual(e.FileName); }},
        {"Args", [](const Error& e) { return e.Args ? rt::Usual(e.Args) : rt::NIL; }},
        {"Tries", [](const Error& e) { return Error::Number(e.Tries); }},
        {"FuncSym", [](const Error& e) { return rt::Usual(e.FuncSym); }},
        {"FileHandle", [](const Error& e) { return Error::Number(e.FileHandle); }},
        {"ArgNum", [](const Error& e) { return Error::Number(e.ArgNum); }},
        {"FuncPtr", [](const Error& e) { return rt::Usual(e.FuncPtr); }},
        {"SubCodeText", [](const Error& e) { return rt::Usual(e.SubCodeText); }},
        {"Arg", [](const Error& e) { return rt::Usual(e.Arg); }},
        {"ArgType", [](const Error& e) { return Error::Number(e.ArgType); }},
        {"ArgTypeReq", [](const Error& e) { return Error::Number(e.ArgTypeReq); }},
        {"MaxSize", [](const Error& e) { return Error::Number(e.MaxSize); }},
        {"SubstituteType", [](const Error& e) { return Error::Number(e.SubstituteType); }},
        {"Choice", [](const Error& e) { return Error::Number(e.Choice); }},
        {"CallFuncSym", [](const Error& e) { return rt::Usual(e.CallFuncSym); }},
        {"Cargo", [](const Error& e) { return e.Cargo; }},
        {"MethodSelf", [](const Error& e) { return e.MethodSelf; }},
        {"Stack", [](const Error& e) { return rt::Usual(e.Stack); }},
    };
    return fields;
}

}  // namespace

ErrorPropertyReader PropertiesOf(const errors::Error& error) {
    RT_ENTER("PROPERTIESOF", kLogFileModule);
    return [&error](std::string_view name) -> std::optional<rt::Usual> {
        const auto& fields = Fields();
        const auto it = fields.find(name);
        if (it == fields.end()) return std::nullopt;
        return it->second(error);
    };
}

}  // namespace diag
