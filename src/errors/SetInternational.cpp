#include "errors/SetInternational.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "errors/Error.h"
#include "errors/InternationalTexts.h"
#include "platform/os/LocaleInfo.h"
#include "platform/runtime/Activation.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/ErrorSystem.h"
#include "platform/runtime/GenCode.h"
#include "platform/runtime/GuardedSequence.h"
#include "platform/runtime/IntlOperations.h"
#include "platform/runtime/RuntimeState.h"

namespace errors {
namespace {

enum class Mode { Windows, Binary, Legacy, Unknown };

// The size of the buffer the locale items are read into.
constexpr int kBufferSize = 64;

rt::Symbol ModeSymbol(std::string_view name) {
    return rt::State().symbols.Add(name);
}

rt::Symbol SymbolOfSwitch(std::int32_t value) {
    RT_ENTER("INTLMODESYMBOL", text::kIntlModule);
    if (value == 1) return ModeSymbol(text::kModeWindows);
    if (value == 2) return ModeSymbol(text::kModeBinary);
    return ModeSymbol(text::kModeLegacy);
}

Mode ModeOf(const rt::Usual& value) {
    RT_ENTER("INTLMODEOF", text::kIntlModule);
    if (!value.IsSymbol()) return Mode::Unknown;
    const rt::Symbol symbol = value.AsSymbol();
    if (symbol == ModeSymbol(text::kModeWindows)) return Mode::Windows;
    if (symbol == ModeSymbol(text::kModeBinary)) return Mode::Binary;
    if (symbol == ModeSymbol(text::kModeLegacy)) return Mode::Legacy;
    return Mode::Unknown;
}

// A number read from a locale text, kept within the 32-bit range.
std::int32_t WholeNumber(double value) {
    if (std::isnan(value)) return 0;
    if (value <= -2147483648.0) return -2147483647 - 1;
    if (value >= 2147483647.0) return 2147483647;
    return static_cast<std::int32_t>(value);
}

// Reads the user's locale items into the one work buffer of a call.
class LocaleReader {
  public:
    LocaleReader() : lcid_(os::GetUserDefaultLCID()), buffer_(kBufferSize) {}

    // The item's text, without its closing zero; nothing when the read
    // failed (a result of 0 or less).
    std::optional<std::string> Text(os::LCTYPE type) {
        RT_ENTER("INTLREADITEM", text::kIntlModule);
        const int result = os::GetLocaleInfoA(lcid_, type, buffer_.data(), kBufferSize);
        if (result <= 0) return std::nullopt;
        return std::string(buffer_.data(), strnlen(buffer_.data(), kBufferSize));
    }

    // The item's first byte; the fallback when the read failed or gave an
    // empty text.
    std::uint32_t FirstCharacter(os::LCTYPE type, char fallback) {
        RT_ENTER("INTLREADCHARACTER", text::kIntlModule);
        const auto item = Text(type);
        const char c = item && !item->empty() ? item->front() : fallback;
        return static_cast<unsigned char>(c);
    }

    // The item's text as a number (Val); the fallback when the read failed.
    std::int32_t Number(os::LCTYPE type, std::int32_t fallback) {
        RT_ENTER("INTLREADNUMBER", text::kIntlModule);
        const auto item = Text(type);
        return item ? WholeNumber(rt::Val(*item)) : fallback;
    }

  private:
    os::LCID lcid_;
    std::vector<char> buffer_;
};

std::string DateFormat(std::int32_t order, char separator, const std::string& pattern) {
    RT_ENTER("INTLDATEFORMAT", text::kIntlModule);
    const std::string year = pattern.find("YYYY") != std::string::npos ? "YYYY" : "YY";
    const std::string sep(1, separator);
    if (order == 1) return "DD" + sep + "MM" + sep + year;
    if (order == 2) return year + sep + "MM" + sep + "DD";
    return "MM" + sep + "DD" + sep + year;
}

void ApplyWindows() {
    RT_ENTER("INTLAPPLYWINDOWS", text::kIntlModule);
    rt::SetIntl(true);
    LocaleReader locale;
    rt::SetDecimalSep(locale.FirstCharacter(os::LOCALE_SDECIMAL, text::kFallbackDecimalSep));
    rt::SetThousandSep(locale.FirstCharacter(os::LOCALE_STHOUSAND, text::kFallbackThousandSep));
    rt::SetTimeSep(locale.FirstCharacter(os::LOCALE_STIME, text::kFallbackTimeSep));
    // A failed read counts as 0, the 12-hour clock.
    rt::SetAmPm(locale.Number(os::LOCALE_ITIME, 0) == 0);
    rt::SetAMExt(" " + locale.Text(os::LOCALE_S1159).value_or(std::string(text::kFallbackAm)));
    rt::SetPMExt(" " + locale.Text(os::LOCALE_S2359).value_or(std::string(text::kFallbackPm)));
    const std::int32_t order = locale.Number(os::LOCALE_IDATE, 0);
    const auto separator =
        static_cast<char>(locale.FirstCharacter(os::LOCALE_SDATE, text::kFallbackDateSep));
    const std::string pattern = rt::Upper(
        locale.Text(os::LOCALE_SSHORTDATE).value_or(std::string(text::kFallbackShortDate)));
    rt::SetDateFrmt(DateFormat(order, separator, pattern));
    rt::SetDecimal(locale.Number(os::LOCALE_IDIGITS, text::kFallbackDecimals));
    rt::SetDict(true);
    rt::SetCentury(true);
    rt::SetEpoch(text::kWindowsEpoch);
}

void ApplyFixed(Mode mode) {
    RT_ENTER("INTLAPPLYFIXED", text::kIntlModule);
    rt::SetDecimalSep('.');
    rt::SetThousandSep(',');
    rt::SetTimeSep(':');
    rt::SetAmPm(false);
    rt::SetAMExt("");
    rt::SetPMExt("");
    rt::SetDateFrmt(text::kFixedDateFormat);
    rt::SetDecimal(2);
    const rt::Usual switches = mode == Mode::Binary ? rt::Usual(std::int32_t{2}) : rt::Usual(false);
    rt::SetDict(switches);
    rt::SetIntl(switches);
    rt::SetCentury(false);
}

// Puts the error block back however the guarded part ends.
class ErrorBlockRestore {
  public:
    ErrorBlockRestore() : previous_(rt::ErrorBlock()) {}
    ~ErrorBlockRestore() { rt::ErrorBlock(previous_); }
    ErrorBlockRestore(const ErrorBlockRestore&) = delete;
    ErrorBlockRestore& operator=(const ErrorBlockRestore&) = delete;

  private:
    rt::CodeBlockRef previous_;
};

// Runs `steps` with an error block that leaves for a recovery point set
// here: any runtime error ends the steps, quietly. A C++ exception from
// below (a locale source) is raised as a runtime error first, so it meets
// the same block.
void Guarded(const std::function<void()>& steps) {
    RT_ENTER("INTLGUARD", text::kIntlModule);
    ErrorBlockRestore restore;
    rt::ErrorBlock(std::make_shared<const rt::CodeBlock>(
        [](const rt::Usual& error) -> rt::Usual { rt::LabelJump(error); }));
    RT_LINE();
    rt::BeginSequence(
        [&] {
            try {
                steps();
            } catch (const std::exception& error) {
                rt::RaiseFromException(error, "SetInternational");
            }
        },
        [](const rt::Usual&) {});
}

}  // namespace

rt::Symbol SetInternational(const rt::Usual& mode) {
    RT_ENTER("SETINTERNATIONAL", text::kIntlModule);
    const rt::Symbol previous = SymbolOfSwitch(rt::SetIntl());
    if (mode.IsNil()) return previous;
    const Mode chosen = ModeOf(mode);
    if (chosen == Mode::Unknown) {
        RT_LINE();
        IntlArgError(mode);
        return previous;
    }
    RT_LINE();
    Guarded([chosen] {
        if (chosen == Mode::Windows) {
            ApplyWindows();
        } else {
            ApplyFixed(chosen);
        }
    });
    return previous;
}

void IntlArgError(const rt::Usual& mode) {
    RT_ENTER("INTLARGERROR", text::kIntlModule);
    // Level 1: the call stack starts at the caller, not here.
    RT_LINE();
    const std::shared_ptr<Error> error = Error::New(rt::Usual(std::int32_t{1}));
    if (!error) return;
    error->SubSystem = std::string(text::kIntlSubSystem);
    error->GenCode = rt::gen::kBadSetting;
    error->CanDefault = true;
    error->Arg = rt::AsString(mode);
    // The answer does not matter: nothing was changed that could be
    // retried or defaulted.
    RT_LINE();
    error->Throw();
}

}  // namespace errors
