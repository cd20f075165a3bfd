#include "platform/runtime/DateTime.h"

#include <chrono>
#include <ctime>

#include "platform/runtime/RuntimeState.h"

namespace rt {
namespace {

// Day number of 1 January 1970 in the Julian day count that Date carries.
constexpr std::int32_t kUnixEpochJulian = 2440588;

std::string TwoDigits(std::int64_t value) {
    const auto n = static_cast<int>(((value % 100) + 100) % 100);
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

std::string YearText(std::int32_t year, bool century) {
    if (!century) return TwoDigits(year);
    std::string text = std::to_string(year < 0 ? -year : year);
    if (text.size() < 4) text.insert(0, 4 - text.size(), '0');
    return year < 0 ? "-" + text : text;
}

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

Date ConDate(std::int32_t year, std::int32_t month, std::int32_t day) {
    if (month < 1 || month > 12 || day < 1 || day > 31) return Date{};
    const std::chrono::year_month_day ymd{std::chrono::year{year},
                                          std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(day)}};
    if (!ymd.ok()) return Date{};
    const auto days = std::chrono::sys_days{ymd}.time_since_epoch().count();
    return Date{static_cast<std::int32_t>(days + kUnixEpochJulian)};
}

CalendarDay DayOf(Date date) {
    if (date.julian == 0) return {};
    const std::chrono::sys_days days{std::chrono::days{date.julian - kUnixEpochJulian}};
    const std::chrono::year_month_day ymd{days};
    return {static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
            static_cast<unsigned>(ymd.day())};
}

Date Today() {
    const std::tm local = LocalNow();
    return ConDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string DToC(Date date) {
    const auto& settings = State().intl;
    const CalendarDay day = DayOf(date);
    const bool empty = date.julian == 0;
    const std::string& format = settings.dateFormat;
    std::string text;
    for (std::size_t i = 0; i < format.size();) {
        const char letter = format[i];
        std::size_t run = i;
        while (run < format.size() && format[run] == letter) ++run;
        std::string field;
        switch (letter) {
            case 'D':
                field = TwoDigits(day.day);
                break;
            case 'M':
                field = TwoDigits(day.month);
                break;
            case 'Y':
                field = YearText(day.year, settings.century);
                break;
            default:
                text.append(format, i, run - i);
                i = run;
                continue;
        }
        text += empty ? std::string(field.size(), ' ') : field;
        i = run;
    }
    return text;
}

std::string Time() {
    const std::tm local = LocalNow();
    return TimeText(local.tm_hour, local.tm_min, local.tm_sec);
}

std::string TimeText(std::int32_t hours, std::int32_t minutes, std::int32_t seconds) {
    const auto& settings = State().intl;
    std::int32_t shown = hours;
    if (settings.amPm) {
        shown = hours % 12;
        if (shown == 0) shown = 12;
    }
    std::string text = TwoDigits(shown) + settings.timeSep + TwoDigits(minutes) + settings.timeSep +
                       TwoDigits(seconds);
    if (settings.amPm) text += hours < 12 ? settings.amExt : settings.pmExt;
    return text;
}

}  // namespace rt
