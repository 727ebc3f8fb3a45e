#pragma once
// Whole-day arithmetic on the proleptic Gregorian calendar: the day number of a
// date counted from 1899-12-30 (day 0, a Saturday), and back. Years count
// astronomically (year 0 is 1 BC, year -1 is 2 BC).
//
// The conversions count from 1 March of year 0, so that the leap day, when a
// year has one, is the last day of its counting year, and in 400-year eras:
// every era of the Gregorian calendar has the same number of days.

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

constexpr int64_t daysPerWeek = 7;
constexpr int32_t weekdayOfDayZero = 6;         // 1899-12-30 was a Saturday (0 = Sunday)
constexpr int64_t monthsPerYear = 12;
constexpr int64_t daysPerCommonYear = 365;
constexpr int64_t daysPerFourYears = 4 * daysPerCommonYear + 1;        // 1461: one leap day
constexpr int64_t daysPerCentury = 100 * daysPerCommonYear + 24;       // 36524: no leap day in its 100th year
constexpr int64_t yearsPerEra = 400;
constexpr int64_t daysPerEra = yearsPerEra * daysPerCommonYear + 97;  // 146097: the 400th year leaps again
constexpr int32_t march = 3;                                           // the counting year's first month
constexpr int64_t daysFrom0000_03_01To1899_12_30 = 693899;

// March to July and August to December each have 31, 30, 31, 30, 31 days:
// 153 days in every 5 months, the rest of the counting year (January and
// February) continuing the pattern. So month m of a counting year (0 for
// March .. 11 for February) starts (153m + 2) / 5 days after 1 March, and day
// d of it (0..365) lies in month (5d + 2) / 153.
constexpr int64_t daysPerFiveMonths = 153;
constexpr int64_t fiveMonths = 5;
constexpr int64_t daysBeforeMonthFromMarch(int64_t monthFromMarch) {  // monthFromMarch 0..11: 0..337
    return (daysPerFiveMonths * monthFromMarch + 2) / fiveMonths;
}
constexpr int64_t monthFromMarchOf(int64_t dayOfYear) {  // dayOfYear 0..365: 0..11
    return (fiveMonths * dayOfYear + 2) / daysPerFiveMonths;
}

// Any year.
constexpr bool isLeapYear(int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Any year, month 1..12: 28..31.
constexpr int32_t daysInMonth(int64_t year, int32_t month) {
    constexpr int32_t lengths[monthsPerYear] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// Days from 1899-12-30 to year-month-day, for any year a 32-bit int holds and
// month 1..12; day may lie outside its month (0, 32, -5: it counts on from the
// 1st of the month, as 1 + (day - 1) days).
constexpr int64_t dayNumberOf(int64_t year, int32_t month, int32_t day) {
    const int64_t countingYear = month < march ? year - 1 : year;
    const int64_t era = (countingYear >= 0 ? countingYear : countingYear - (yearsPerEra - 1)) / yearsPerEra;
    const int64_t yearOfEra = countingYear - era * yearsPerEra;                           // 0..399
    const int64_t monthFromMarch = month >= march ? month - march : month + monthsPerYear - march;  // 0..11
    const int64_t dayOfYear = daysBeforeMonthFromMarch(monthFromMarch) + day - 1;         // 0..365 within its month
    const int64_t dayOfEra = yearOfEra * daysPerCommonYear + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * daysPerEra + dayOfEra - daysFrom0000_03_01To1899_12_30;
}

// The date of a day number, for any day number whose year a 32-bit int
// holds (about ±7.8e11 days).
constexpr CivilDate civilDateOf(int64_t dayNumber) {
    const int64_t fromMarchOfYearZero = dayNumber + daysFrom0000_03_01To1899_12_30;
    const int64_t era = (fromMarchOfYearZero >= 0 ? fromMarchOfYearZero : fromMarchOfYearZero - (daysPerEra - 1)) /
                        daysPerEra;
    const int64_t dayOfEra = fromMarchOfYearZero - era * daysPerEra;  // 0..146096
    // Less one day for each four years, plus one for each century, less the
    // era's last day: the leap days before dayOfEra are gone, and whole
    // common years remain.
    const int64_t yearOfEra = (dayOfEra - dayOfEra / (daysPerFourYears - 1) + dayOfEra / daysPerCentury -
                               dayOfEra / (daysPerEra - 1)) /
                              daysPerCommonYear;                                                     // 0..399
    const int64_t dayOfYear = dayOfEra - (daysPerCommonYear * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // 0..365
    const int64_t monthFromMarch = monthFromMarchOf(dayOfYear);                                      // 0..11
    const auto day = static_cast<int32_t>(dayOfYear - daysBeforeMonthFromMarch(monthFromMarch) + 1);
    const auto month = static_cast<int32_t>(monthFromMarch < monthsPerYear - march + 1
                                                ? monthFromMarch + march
                                                : monthFromMarch + march - monthsPerYear);
    const int64_t year = yearOfEra + era * yearsPerEra + (month < march ? 1 : 0);
    return {static_cast<int32_t>(year), month, day};
}

// Any day number: 0 = Sunday .. 6 = Saturday.
constexpr int32_t weekdayOf(int64_t dayNumber) {
    const int64_t r = (dayNumber + weekdayOfDayZero) % daysPerWeek;
    return static_cast<int32_t>(r < 0 ? r + daysPerWeek : r);
}

static_assert(dayNumberOf(1899, 12, 30) == 0);
static_assert(dayNumberOf(1900, 1, 1) == 2);
static_assert(dayNumberOf(100, 1, 1) == firstCalendarDay);
static_assert(dayNumberOf(9999, 12, 31) == lastCalendarDay);
static_assert(dayNumberOf(0, 3, 1) == -daysFrom0000_03_01To1899_12_30);
static_assert(civilDateOf(0).year == 1899 && civilDateOf(0).month == 12 && civilDateOf(0).day == 30);
static_assert(weekdayOf(0) == 6 && weekdayOf(2) == 1);

}  // namespace orvane
