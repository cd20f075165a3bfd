#include "platform/runtime/IntlOperations.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

IntlSettings& Settings() {
    return State().intl;
}

std::uint32_t CodeOf(char c) {
    return static_cast<unsigned char>(c);
}

std::uint32_t Exchange(char& setting, std::uint32_t code) {
    const std::uint32_t previous = CodeOf(setting);
    if ((code & 0xFFu) != 0) setting = static_cast<char>(code & 0xFFu);
    return previous;
}

template <typename T, typename U>
T Exchange(T& setting, U value) {
    T previous = setting;
    setting = T(value);
    return previous;
}

std::int32_t ExchangeSwitch(std::int32_t& setting, const Usual& value) {
    const std::int32_t previous = setting;
    if (value.IsLogic()) {
        setting = value.AsLogic() ? 1 : 0;
    } else if (value.IsLong()) {
        setting = value.AsLong();
    } else if (value.IsFloat() && std::isfinite(value.AsFloat()) &&
               std::fabs(value.AsFloat()) < 2147483648.0) {
        setting = static_cast<std::int32_t>(value.AsFloat());
    }
    return previous;
}

}  // namespace

std::uint32_t SetDecimalSep() {
    return CodeOf(Settings().decimalSep);
}
std::uint32_t SetDecimalSep(std::uint32_t code) {
    return Exchange(Settings().decimalSep, code);
}
std::uint32_t SetThousandSep() {
    return CodeOf(Settings().thousandSep);
}
std::uint32_t SetThousandSep(std::uint32_t code) {
    return Exchange(Settings().thousandSep, code);
}
std::uint32_t SetTimeSep() {
    return CodeOf(Settings().timeSep);
}
std::uint32_t SetTimeSep(std::uint32_t code) {
    return Exchange(Settings().timeSep, code);
}

bool SetAmPm() {
    return Settings().amPm;
}
bool SetAmPm(bool twelveHour) {
    return Exchange(Settings().amPm, twelveHour);
}
std::string SetAMExt() {
    return Settings().amExt;
}
std::string SetAMExt(std::string_view text) {
    return Exchange(Settings().amExt, text);
}
std::string SetPMExt() {
    return Settings().pmExt;
}
std::string SetPMExt(std::string_view text) {
    return Exchange(Settings().pmExt, text);
}

std::string SetDateFrmt() {
    return Settings().dateFormat;
}
std::string SetDateFrmt(std::string_view format) {
    return Exchange(Settings().dateFormat, format);
}

std::int32_t SetDecimal() {
    return Settings().decimals;
}
std::int32_t SetDecimal(std::int32_t decimals) {
    return Exchange(Settings().decimals, std::clamp(decimals, 0, 9));
}

bool SetCentury() {
    return Settings().century;
}
bool SetCentury(bool fourDigits) {
    return Exchange(Settings().century, fourDigits);
}

std::int32_t SetEpoch() {
    return Settings().epoch;
}
std::int32_t SetEpoch(std::int32_t year) {
    return Exchange(Settings().epoch, year);
}

std::int32_t SetIntl() {
    return Settings().intl;
}
std::int32_t SetIntl(const Usual& value) {
    return ExchangeSwitch(Settings().intl, value);
}
std::int32_t SetDict() {
    return Settings().dict;
}
std::int32_t SetDict(const Usual& value) {
    return ExchangeSwitch(Settings().dict, value);
}

}  // namespace rt
