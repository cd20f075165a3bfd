#include "errors/Error.h"

#include <cmath>
#include <limits>
#include <new>

#include "errors/CallStackText.h"
#include "errors/ErrorConstants.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/ErrorSystem.h"

namespace errors {

std::shared_ptr<Error> Error::New(const rt::Usual& level) {
    RT_ENTER("ERROR:NEW", text::kModule);
    std::shared_ptr<Error> error;
    try {
        error = std::make_shared<Error>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    RT_LINE();
    error->InitAt(level);
    return error;
}

void Error::Init(const rt::Usual& level) {
    RT_ENTER("ERROR:INIT", text::kModule);
    RT_LINE();
    InitAt(level);
}

void Error::InitAt(const rt::Usual& level) {
    RT_ENTER("ERROR:INITAT", text::kModule);
    std::uint32_t start = 0;
    if (level.IsLong()) {
        start = static_cast<std::uint32_t>(level.AsLong());
    } else if (level.IsFloat()) {
        // Any number becomes an unsigned 32-bit level: its whole part taken
        // modulo 2^32; a value without digits (infinity, NaN) counts as 0.
        const double v = level.AsFloat();
        if (std::isfinite(v)) {
            double wrapped = std::fmod(std::trunc(v), 4294967296.0);
            if (wrapped < 0) wrapped += 4294967296.0;
            start = static_cast<std::uint32_t>(wrapped);
        }
    }
    // Levels count from the code that creates the object: INITAT and the
    // INIT or NEW that called it are left out.
    RT_LINE();
    Stack = CallStackText(start, 2);
    SubSystem = rt::ExecName();
}

rt::Usual Error::Throw() {
    RT_ENTER("ERROR:THROW", text::kModule);
    // An object not held by a shared pointer (one made on the stack) is
    // handed over as a copy.
    std::shared_ptr<Error> self = weak_from_this().lock();
    if (!self) self = std::make_shared<Error>(*this);
    RT_LINE();
    return rt::Eval(rt::ErrorBlock(), rt::Usual(rt::ObjectRef(self)));
}

rt::Usual Error::Number(std::uint32_t value) {
    RT_ENTER("ERROR:NUMBER", text::kModule);
    if (value <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
        return rt::Usual(static_cast<std::int32_t>(value));
    }
    return rt::Usual(static_cast<double>(value));
}

std::shared_ptr<Error> AsError(const rt::Usual& value) {
    RT_ENTER("ASERROR", text::kModule);
    return std::dynamic_pointer_cast<Error>(value.AsObject());
}

}  // namespace errors
