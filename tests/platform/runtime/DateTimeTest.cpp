// Date and time texts under the date format, century, clock and separator
// settings.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "IntlScope.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/IntlOperations.h"

namespace {

TEST(DateTimeTest, CalendarDaysRoundTripAndImpossibleDaysAreEmpty) {
    EXPECT_EQ(rt::ConDate(1970, 1, 1).julian, 2440588);
    EXPECT_EQ(rt::ConDate(2000, 1, 1).julian, 2451545);
    for (const auto& [y, m, d] :
         {std::tuple{2024, 2, 29}, {1900, 3, 1}, {1, 1, 1}, {9999, 12, 31}}) {
        const rt::CalendarDay day = rt::DayOf(rt::ConDate(y, m, d));
        EXPECT_EQ(day.year, y);
        EXPECT_EQ(day.month, static_cast<unsigned>(m));
        EXPECT_EQ(day.day, static_cast<unsigned>(d));
    }
    for (const auto& [y, m, d] : {std::tuple{2023, 2, 29},
                                  {2024, 13, 1},
                                  {2024, 0, 1},
                                  {2024, 4, 31},
                                  {2024, 1, 0},
                                  {2024, 1, -5}}) {
        SCOPED_TRACE(std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d));
        EXPECT_EQ(rt::ConDate(y, m, d).julian, 0);
    }
    EXPECT_EQ(rt::DayOf(rt::Date{}).year, 0);
}

TEST(DateTimeTest, DatesFollowTheFormatAndTheCentury) {
    IntlScope scope;
    const rt::Date date = rt::ConDate(2026, 3, 7);
    struct Case {
        const char* format;
        bool century;
        const char* text;
        const char* empty;
    };
    const Case cases[] = {
        {"MM/DD/YY", false, "03/07/26", "  /  /  "},
        {"MM/DD/YY", true, "03/07/2026", "  /  /    "},
        {"DD.MM.YYYY", true, "07.03.2026", "  .  .    "},
        {"DD.MM.YYYY", false, "07.03.26", "  .  .  "},
        {"YYYY-MM-DD", true, "2026-03-07", "    -  -  "},
        {"DD.MM.YY", true, "07.03.2026", "  .  .    "},
        {"YY", false, "26", "  "},
        {"", true, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.format) + (c.century ? " century" : ""));
        rt::SetDateFrmt(c.format);
        rt::SetCentury(c.century);
        EXPECT_EQ(rt::DToC(date), c.text);
        EXPECT_EQ(rt::DToC(rt::Date{}), c.empty);
    }
    rt::SetDateFrmt("DD/MM/YYYY");
    rt::SetCentury(true);
    EXPECT_EQ(rt::DToC(rt::ConDate(999, 1, 2)), "02/01/0999");
    rt::SetCentury(false);
    EXPECT_EQ(rt::DToC(rt::ConDate(2005, 1, 2)), "02/01/05");
}

TEST(DateTimeTest, TimesFollowTheClockAndTheSeparator) {
    IntlScope scope;
    rt::SetAMExt(" am");
    rt::SetPMExt(" pm");
    struct Case {
        bool twelveHour;
        char separator;
        int h, m, s;
        const char* text;
    };
    const Case cases[] = {
        {false, ':', 0, 0, 0, "00:00:00"},      {false, ':', 23, 59, 58, "23:59:58"},
        {false, '.', 9, 5, 3, "09.05.03"},      {true, ':', 0, 0, 0, "12:00:00 am"},
        {true, ':', 11, 59, 59, "11:59:59 am"}, {true, ':', 12, 0, 0, "12:00:00 pm"},
        {true, ':', 13, 1, 2, "01:01:02 pm"},   {true, '.', 23, 30, 0, "11.30.00 pm"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.h) + (c.twelveHour ? " 12h" : " 24h"));
        rt::SetAmPm(c.twelveHour);
        rt::SetTimeSep(static_cast<unsigned char>(c.separator));
        EXPECT_EQ(rt::TimeText(c.h, c.m, c.s), c.text);
    }
}

TEST(DateTimeTest, TodayAndTimeAreTheLocalClock) {
    IntlScope scope;
    rt::SetAmPm(false);
    rt::SetTimeSep(':');
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const rt::Date today = rt::Today();
    const std::string time = rt::Time();
    // Around midnight the clock may have moved on between the reads.
    const rt::CalendarDay day = rt::DayOf(today);
    if (static_cast<int>(day.day) != local.tm_mday) GTEST_SKIP() << "the day changed";
    EXPECT_EQ(day.year, local.tm_year + 1900);
    EXPECT_EQ(day.month, static_cast<unsigned>(local.tm_mon + 1));
    ASSERT_EQ(time.size(), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
    EXPECT_EQ(std::stoi(time.substr(0, 2)), local.tm_hour);
}

}  // namespace
