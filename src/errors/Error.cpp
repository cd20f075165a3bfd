#include "errors/Error.h"

#include <limits>
#include <new>

#include "errors/CallStackText.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Directories.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {

std::shared_ptr<Error> Error::New(const rt::Usual& level) {
    RT_ENTER("ERROR:NEW", "Error Handling");
    RT_LINE();
    std::shared_ptr<Error> error;
    try {
        RT_LINE();
        error = std::make_shared<Error>();
    } catch (const std::bad_alloc&) {
        RT_LINE();
        return nullptr;
    }
    RT_LINE();
    // Init counts levels from the creator of the object: NEW is one more
    // frame of our own to leave out.
    if (level.IsNumeric()) {
        RT_LINE();
        error->Init(rt::Usual(level.AsFloat() + 1.0));
    } else {
        RT_LINE();
        error->Init(rt::Usual(std::int32_t{1}));
    }
    RT_LINE();
    return error;
}

void Error::Init(const rt::Usual& level) {
    RT_ENTER("ERROR:INIT", "Error Handling");
    RT_LINE();
    std::uint32_t start = 0;
    if (level.IsLong()) {
        RT_LINE();
        start = static_cast<std::uint32_t>(level.AsLong());
    } else if (level.IsFloat()) {
        RT_LINE();
        // Any number becomes an unsigned 32-bit level, wrapping as the
        // runtime's conversion does.
        const double v = level.AsFloat();
        start = static_cast<std::uint32_t>(static_cast<std::int64_t>(v));
    }
    RT_LINE();
    Stack = CallStackText(start, 1);
    RT_LINE();
    SubSystem = rt::_ExecName();
}

rt::Usual Error::Throw() {
    RT_ENTER("ERROR:THROW", "Error Handling");
    RT_LINE();
    return rt::Eval(rt::ErrorBlock(), rt::Usual(rt::ObjectRef(shared_from_this())));
}

rt::Usual Error::Number(std::uint32_t value) {
    RT_ENTER("ERROR:NUMBER", "Error Handling");
    RT_LINE();
    if (value <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
        return rt::Usual(static_cast<std::int32_t>(value));
    }
    RT_LINE();
    return rt::Usual(static_cast<double>(value));
}

std::shared_ptr<Error> AsError(const rt::Usual& value) {
    RT_ENTER("ASERROR", "Error Handling");
    RT_LINE();
    return std::dynamic_pointer_cast<Error>(value.AsObject());
}

}  // namespace errors
