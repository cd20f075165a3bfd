#pragma once
// Dates and times as the runtime writes them, following the international
// settings (IntlOperations.h).
//
// A date text follows the date format: each run of "D" is the day and each
// run of "M" the month, two digits each; each run of "Y" is the year, four
// digits when century display is on and its last two digits when it is off,
// whatever the number of letters; every other character is copied. The
// empty date keeps the separators and blanks the digits.
//
// A time text is hours, minutes and seconds, two digits each, joined by
// the time separator. On the 12-hour clock (SetAmPm TRUE) the hours run
// 12, 1 ... 11 and the am or pm text follows directly; on the 24-hour clock
// neither text is written.

#include <cstdint>
#include <string>

#include "platform/runtime/Usual.h"

namespace rt {

// The date of a day of the Gregorian calendar; the empty date for a day
// that does not exist (month 13, 30 February ...).
Date ConDate(std::int32_t year, std::int32_t month, std::int32_t day);

struct CalendarDay {
    std::int32_t year = 0;
    std::uint32_t month = 0;
    std::uint32_t day = 0;
};
// The calendar day of a date; all zero for the empty date.
CalendarDay DayOf(Date date);

// Today in the local time zone.
Date Today();
std::string DToC(Date date);

// The current local time as text.
std::string Time();
// The text of a given time of day.
std::string TimeText(std::int32_t hours, std::int32_t minutes, std::int32_t seconds);

}  // namespace rt
