#pragma once
// Whole-day arithmetic on the proleptic Gregorian calendar: the day number of a
// date counted from 1899-12-30 (day 0, a Saturday), and back. Valid for any
// year a 32-bit int holds; negative years count astronomically (year 0 = 1 BC).

#include <cstdint>

namespace orvane {

struct CivilDate {
    int32_t year = 0;
    int32_t month = 0;  // 1..12
    int32_t day = 0;    // 1..31
};

// Day numbers of the first and last days of the calendar's years 100 to 9999.
constexpr int64_t firstCalendarDay = -657434;  // 0100-01-01
constexpr int64_t lastCalendarDay = 2958465;   // 9999-12-31

constexpr bool isLeapYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int32_t daysInMonth(int64_t year, int32_t month) {
    constexpr int32_t lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// Days from 1899-12-30 to year-month-day; month must be 1..12, day may run
// past the end of its month (it then counts on into the next).
constexpr int64_t dayNumberOf(int64_t year, int32_t month, int32_t day) {
    // Count from 1 March of year 0 so that the leap day ends each cycle year.
    const int64_t y = month <= 2 ? year - 1 : year;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;                                // 0..399
    const int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;       // 0..11
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;     // 0..365
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr int64_t daysFrom0000_03_01To1899_12_30 = 693899;
    return era * 146097 + dayOfEra - daysFrom0000_03_01To1899_12_30;
}

constexpr CivilDate civilDateOf(int64_t dayNumber) {
    const int64_t z = dayNumber + 693899;  // days since 0000-03-01
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;                                             // 0..146096
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // 0..365
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;                               // 0..11
    const auto day = static_cast<int32_t>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const auto month = static_cast<int32_t>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int32_t>(year), month, day};
}

// 0 = Sunday .. 6 = Saturday.
constexpr int32_t weekdayOf(int64_t dayNumber) {
    const int64_t r = (dayNumber + 6) % 7;
    return static_cast<int32_t>(r < 0 ? r + 7 : r);
}

static_assert(dayNumberOf(1899, 12, 30) == 0);
static_assert(dayNumberOf(1900, 1, 1) == 2);
static_assert(dayNumberOf(100, 1, 1) == firstCalendarDay);
static_assert(dayNumberOf(9999, 12, 31) == lastCalendarDay);
static_assert(civilDateOf(0).year == 1899 && civilDateOf(0).month == 12 && civilDateOf(0).day == 30);
static_assert(weekdayOf(0) == 6 && weekdayOf(2) == 1);

}  // namespace orvane
