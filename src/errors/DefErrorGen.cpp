#include "errors/DefErrorGen.h"

#include <memory>

#include "errors/Error.h"
#include "errors/ErrorConstants.h"
#include "platform/os/MessageBoxA.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/RawError.h"

namespace errors {
namespace {

void CopyRecord(const rt::RawError& raw, Error& error) {
    RT_ENTER("COPYRAWERROR", text::kModule);
    using F = rt::RawError;
    error.SubSystem = raw.Text(F::SubSystem);
    error.SubCode = raw.Get(F::SubCode);
    error.GenCode = raw.Get(F::GenCode);
    error.OsCode = raw.Get(F::OsCode);
    error.Severity = raw.Get(F::Severity);
    error.CanDefault = raw.Logic(F::CanDefault);
    error.CanRetry = raw.Logic(F::CanRetry);
    error.CanSubstitute = raw.Logic(F::CanSubstitute);
    error.Operation = raw.Text(F::Operation);
    error.Description = raw.Text(F::Description);
    error.FileName = raw.Text(F::FileName);
    error.Args = std::make_shared<rt::Array>(raw.ArgValues());
    error.Tries = raw.Get(F::Tries);
    error.FuncSym = rt::Symbol{raw.Get(F::FuncSym)};
    error.FileHandle = raw.Get(F::FileHandle);
    error.ArgNum = raw.Get(F::ArgNum);
    error.FuncPtr = reinterpret_cast<void*>(static_cast<std::uintptr_t>(raw.Get(F::FuncPtr)));
    error.SubCodeText = raw.Text(F::SubCodeText);
    error.Arg = raw.Text(F::Arg);
    error.ArgType = raw.Get(F::ArgType);
    error.ArgTypeReq = raw.Get(F::ArgTypeReq);
    error.MaxSize = raw.Get(F::MaxSize);
    error.SubstituteType = raw.Get(F::SubstituteType);
    error.Choice = raw.Get(F::Choice);
    error.CallFuncSym = rt::Symbol{raw.Get(F::CallFuncSym)};
}

}  // namespace

rt::Usual DefErrorGen(const rt::Usual& raw) {
    RT_ENTER("DEFERRORGEN", text::kModule);
    // The stack from level 0 of the code that raised the error: the
    // generator's own frame is not part of it.
    RT_LINE();
    const std::shared_ptr<Error> error = Error::New(rt::Usual(std::int32_t{1}));
    RT_LINE();
    if (!error) os::MessageBoxA(0, text::kNoErrorObject, text::kGenCaption, os::MB_OK);
    const rt::Usual object = error ? rt::Usual(rt::ObjectRef(error)) : rt::Usual(rt::ObjectRef());
    if (!raw.IsPtr()) {
        RT_LINE();
        os::MessageBoxA(0, text::kWrongTag, text::kGenCaption, os::MB_OK);
        return object;
    }
    if (!error) return object;
    // A null pointer carries no record: it reads as all zeros rather than
    // being followed.
    const auto* record = static_cast<const rt::RawError*>(raw.AsPtr());
    const rt::RawError empty;
    RT_LINE();
    CopyRecord(record ? *record : empty, *error);
    return object;
}

}  // namespace errors
