#include "app/WinCentre.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "app/AppTexts.h"
#include "platform/os/SystemMetrics.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/GenCode.h"
#include "platform/window/Window.h"

namespace app {
namespace {

constexpr char kModule[] = "Start";
constexpr char kOperation[] = "WINCENTRE";

bool FitsLong(double value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

// The helpers below raise on WinCentre's behalf, so the line WinCentre
// marked before calling them stays the raise's line.

// Raises the numeric overflow error; the handler's substitute (a number that
// fits) is the result, anything else gives 0.
std::int32_t Overflow(std::string_view description) {
    const rt::Usual answer = rt::RaiseErrorForCaller({.genCode = rt::gen::kNumOverflow,
                                                      .severity = 2,
                                                      .canDefault = true,
                                                      .canSubstitute = true,
                                                      .operation = kOperation,
                                                      .description = description});
    if (rt::Classify(answer) == rt::Answer::Substitute && answer.IsNumeric() &&
        FitsLong(std::trunc(answer.AsFloat()))) {
        return static_cast<std::int32_t>(std::trunc(answer.AsFloat()));
    }
    return 0;
}

// The runtime's conversion of a number to a 32-bit whole number: the
// fraction is dropped; a value out of range is an overflow.
std::int32_t ToLong(double value) {
    const double whole = std::trunc(value);
    if (!FitsLong(whole)) return Overflow(texts::kLongOverflow);
    return static_cast<std::int32_t>(whole);
}

// Raises the data-type error for a value WinCentre cannot measure; the
// window is left as it is.
rt::Usual DataTypeError(std::string_view description) {
    rt::RaiseErrorForCaller({.genCode = rt::gen::kDataType,
                             .canDefault = true,
                             .operation = kOperation,
                             .description = description});
    return rt::Usual();
}

}  // namespace

std::int32_t Subtract32(std::int32_t a, std::int32_t b) {
    const std::int64_t wide = static_cast<std::int64_t>(a) - b;
    if (wide < std::numeric_limits<std::int32_t>::min() ||
        wide > std::numeric_limits<std::int32_t>::max()) {
        return Overflow(texts::kSubtractOverflow);
    }
    return static_cast<std::int32_t>(wide);
}

rt::Usual WinCentre(const rt::Usual& oWindow) {
    RT_ENTER("WINCENTRE", kModule);
    RT_LINE();
    auto* window =
        oWindow.IsObject() ? dynamic_cast<win::Window*>(oWindow.AsObject().get()) : nullptr;
    if (!window) return DataTypeError(texts::kNotAWindow);

    RT_LINE();
    const win::Dimension size = window->Size();
    const std::int32_t w = ToLong(size.Width() / 2.0);
    const std::int32_t h = ToLong(size.Height() / 2.0);

    std::int32_t cx = 0;
    std::int32_t cy = 0;
    const rt::Object* owner = window->Owner();
    if (owner == nullptr || owner->ClassName() == "APP") {
        cx = os::GetSystemMetrics(os::SM_CXSCREEN) >> 1;
        cy = os::GetSystemMetrics(os::SM_CYSCREEN) >> 1;
    } else {
        RT_LINE();
        const auto* ownerWindow = dynamic_cast<const win::Window*>(owner);
        if (!ownerWindow) return DataTypeError(texts::kOwnerNotAWindow);
        const win::Dimension ownerSize = ownerWindow->Size();
        cx = ToLong(ownerSize.Width() / 2.0);
        cy = ToLong(ownerSize.Height() / 2.0);
    }

    RT_LINE();
    window->Origin(win::Point{Subtract32(cx, w), Subtract32(cy, h)});
    return rt::Usual();
}

}  // namespace app
