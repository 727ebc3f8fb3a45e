// CalendarDate: the day count of known instants, which broken-down times are
// accepted, the accessors, and whole-day moves across zero and the range ends.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "calendar/calendar_date.h"
#include "system_time_support.h"

namespace orvane {
namespace {

CalendarDate dateWithValue(double value) {
    CalendarDate date;
    date.value = value;
    return date;
}

constexpr double halfSecond = 1.0 / 172800.0;

TEST(CalendarDate, DayCountOfKnownInstants) {
    struct Case {
        SYSTEMTIME time;
        double value;
    };
    const Case cases[] = {
        {timeOf(1899, 12, 30), 0.0},
        {timeOf(1899, 12, 30, 6), 0.25},
        {timeOf(1900, 1, 1), 2.0},
        {timeOf(1900, 1, 1, 12), 2.5},
        {timeOf(1899, 12, 29, 6), -1.25},
        {timeOf(1899, 12, 29, 18), -1.75},
        {timeOf(1899, 12, 29), -1.0},
        {timeOf(100, 1, 1), -657434.0},
        {timeOf(9999, 12, 31), 2958465.0},
        {timeOf(1970, 1, 1), 25569.0},
        {timeOf(2000, 2, 29, 18), 36585.75},
        {timeOf(1600, 3, 1, 12), -109511.5},
    };
    for (const Case& c : cases) {
        const CalendarDate date = CalendarDate::fromSystemTime(c.time);
        EXPECT_EQ(date.status, CalendarDate::valid) << c.value;
        EXPECT_DOUBLE_EQ(date.value, c.value);
    }
    const CalendarDate last = CalendarDate::fromSystemTime(timeOf(9999, 12, 31, 23, 59, 59));
    EXPECT_NEAR(last.value, 2958465.0 + 86399.0 / 86400.0, 1e-9);
    const CalendarDate first = CalendarDate::fromSystemTime(timeOf(100, 1, 1, 23, 59, 59));
    EXPECT_NEAR(first.value, -657434.0 - 86399.0 / 86400.0, 1e-9);
}

TEST(CalendarDate, AcceptsOnlyExistingInstantsInRange) {
    struct Case {
        const char* what;
        SYSTEMTIME time;
        bool valid;
    };
    const Case cases[] = {
        {"2001-02-29 does not exist", timeOf(2001, 2, 29), false},
        {"2000-02-29 leap day", timeOf(2000, 2, 29), true},
        {"1900-02-29 not a leap year", timeOf(1900, 2, 29), false},
        {"0400-02-29 leap century", timeOf(400, 2, 29), true},
        {"day before the first", timeOf(99, 12, 31), false},
        {"first instant", timeOf(100, 1, 1), true},
        {"last instant", timeOf(9999, 12, 31, 23, 59, 59), true},
        {"day after the last", timeOf(10000, 1, 1), false},
        {"year 0", timeOf(0, 1, 1), false},
        {"month 0", timeOf(2020, 0, 10), false},
        {"month 13", timeOf(2020, 13, 1), false},
        {"day 0", timeOf(2020, 3, 0), false},
        {"day 31 of April", timeOf(2020, 4, 31), false},
        {"day 32", timeOf(2020, 1, 32), false},
        {"hour 24", timeOf(2020, 1, 1, 24), false},
        {"minute 60", timeOf(2020, 1, 1, 0, 60), false},
        {"second 60", timeOf(2020, 1, 1, 0, 0, 60), false},
        {"all fields at their maximum", timeOf(65535, 65535, 65535, 65535, 65535, 65535, 65535, 65535), false},
        {"all fields zero", SYSTEMTIME{}, false},
        {"clock reading with milliseconds", timeOf(2024, 5, 17, 13, 45, 59, 999), true},
        {"weekday field is not read", timeOf(2024, 5, 17, 0, 0, 0, 0, 60000), true},
        {"negative-side date with time", timeOf(1500, 7, 4, 23, 59, 59), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalendarDate::fromSystemTime(c.time).status == CalendarDate::valid, c.valid) << c.what;
    }
}

TEST(CalendarDate, WritesBackWholeSecondsWithWeekday) {
    const CalendarDate date = CalendarDate::fromSystemTime(timeOf(2024, 5, 17, 13, 45, 59, 999, 3));
    SYSTEMTIME out = timeOf(1, 1, 1, 1, 1, 1, 1, 1);
    ASSERT_TRUE(date.toSystemTime(out));
    EXPECT_EQ(out, timeOf(2024, 5, 17, 13, 45, 59, 0, 5));  // a Friday

    // Both sides of zero and both ends of the range keep every second.
    for (const SYSTEMTIME& t : {timeOf(100, 1, 1, 23, 59, 59, 0, 5), timeOf(1899, 12, 29, 6, 0, 1, 0, 5),
                                timeOf(1899, 12, 30, 0, 0, 1, 0, 6), timeOf(9999, 12, 31, 23, 59, 59, 0, 5)}) {
        SYSTEMTIME back;
        ASSERT_TRUE(CalendarDate::fromSystemTime(t).toSystemTime(back));
        EXPECT_EQ(back, t) << t.wYear;
    }
}

TEST(CalendarDate, InvalidOrOutOfRangeReadsAsMinusOneAndWritesNothing) {
    const SYSTEMTIME untouched = timeOf(2020, 6, 7, 8, 9, 10, 11, 0);
    const CalendarDate notADate = CalendarDate::fromSystemTime(timeOf(2001, 2, 29));
    const CalendarDate outOfRange[] = {
        notADate,
        dateWithValue(-657435.0),
        dateWithValue(2958466.0),
        dateWithValue(-1e12),
        dateWithValue(1e12),
        dateWithValue(std::numeric_limits<double>::quiet_NaN()),
        dateWithValue(std::numeric_limits<double>::infinity()),
    };
    for (const CalendarDate& date : outOfRange) {
        EXPECT_EQ(date.year(), -1) << date.value;
        EXPECT_EQ(date.month(), -1);
        EXPECT_EQ(date.day(), -1);
        EXPECT_EQ(date.dayOfWeek(), -1);
        SYSTEMTIME target = untouched;
        EXPECT_FALSE(date.toSystemTime(target));
        EXPECT_EQ(target, untouched);
    }
    // The status alone makes a date unreadable, whatever its value.
    CalendarDate marked = dateWithValue(2.0);
    marked.status = CalendarDate::invalid;
    EXPECT_EQ(marked.year(), -1);
}

TEST(CalendarDate, ValuesAtTheEdgesOfTheRange) {
    // Just inside the ends.
    EXPECT_EQ(dateWithValue(-657434.99998).year(), 100);
    EXPECT_EQ(dateWithValue(2958465.99998).year(), 9999);
    // Half a second before the end rounds into a day no calendar holds.
    EXPECT_EQ(dateWithValue(2958465.0 + 86399.6 / 86400.0).year(), -1);
    // Rounding up to midnight moves on to the next calendar day.
    SYSTEMTIME t;
    ASSERT_TRUE(dateWithValue(2.0 + 86399.6 / 86400.0).toSystemTime(t));
    EXPECT_EQ(t, timeOf(1900, 1, 2, 0, 0, 0, 0, 2));
}

TEST(CalendarDate, ComponentsAndWeekdays) {
    struct Case {
        SYSTEMTIME time;
        int dayOfWeek;  // 1 = Sunday
    };
    const Case cases[] = {
        {timeOf(1899, 12, 30), 7}, {timeOf(1900, 1, 1), 2},   {timeOf(1899, 12, 29, 18), 6},
        {timeOf(2024, 2, 29), 5},  {timeOf(100, 1, 1), 6},    {timeOf(9999, 12, 31), 6},
        {timeOf(1582, 10, 4), 2},  {timeOf(1582, 10, 15), 6}, {timeOf(2000, 1, 1, 23, 59, 59), 7},
    };
    for (const Case& c : cases) {
        const CalendarDate date = CalendarDate::fromSystemTime(c.time);
        EXPECT_EQ(date.year(), c.time.wYear);
        EXPECT_EQ(date.month(), c.time.wMonth);
        EXPECT_EQ(date.day(), c.time.wDay);
        EXPECT_EQ(date.dayOfWeek(), c.dayOfWeek) << c.time.wYear << "-" << c.time.wMonth << "-" << c.time.wDay;
    }
}

TEST(CalendarDate, DayMovesAcrossZero) {
    struct Case {
        double from;
        int days;  // positive: add, negative: subtract
        double to;
    };
    const Case cases[] = {
        {0.25, -1, -1.25},
        {-1.25, 1, 0.25},
        {1.75, -2, -1.75},
        {-1.75, 2, 1.75},
        {0.0, -1, -1.0},
        {-1.0, 1, 0.0},
        {-2.5, 1, -1.5},
        {-1.5, 1, 0.5},
        {-0.5, -1, -1.5},  // -0.5 is 12:00 of day 0, like 0.5
        {-halfSecond, 1, 1.0 + halfSecond},  // exactly -H is taken for a negative value
        {-halfSecond / 2, 1, 1.0 - halfSecond / 2},
        {10.0, 31, 41.0},
        {10.0, -31, -21.0},
    };
    for (const Case& c : cases) {
        CalendarDate date = dateWithValue(c.from);
        if (c.days >= 0)
            date.add(DaySpan(c.days));
        else
            date.subtract(DaySpan(-c.days));
        EXPECT_DOUBLE_EQ(date.value, c.to) << c.from << " by " << c.days;
    }
    CalendarDate chained = CalendarDate::fromSystemTime(timeOf(1899, 12, 30, 6));
    EXPECT_EQ(&chained.subtract(DaySpan(1)), &chained);
    EXPECT_EQ(chained.day(), 29);
    EXPECT_DOUBLE_EQ(chained.add(DaySpan(1)).value, 0.25);
}

TEST(CalendarDate, LeavingTheRangeAndComingBack) {
    CalendarDate last = CalendarDate::fromSystemTime(timeOf(9999, 12, 30, 12));
    last.add(DaySpan(1));
    EXPECT_EQ(last.day(), 31);
    last.add(DaySpan(1));
    EXPECT_EQ(last.year(), -1);
    SYSTEMTIME target = timeOf(2020, 1, 1);
    EXPECT_FALSE(last.toSystemTime(target));
    EXPECT_EQ(target.wYear, 2020);
    EXPECT_EQ(last.status, CalendarDate::valid);
    last.subtract(DaySpan(1));
    ASSERT_TRUE(last.toSystemTime(target));
    EXPECT_EQ(target, timeOf(9999, 12, 31, 12, 0, 0, 0, 5));

    CalendarDate first = CalendarDate::fromSystemTime(timeOf(100, 1, 1, 23, 59, 59));
    first.subtract(DaySpan(1));
    EXPECT_EQ(first.year(), -1);
    first.add(DaySpan(1));
    EXPECT_EQ(first.year(), 100);
    EXPECT_EQ(first.day(), 1);
}

// Step through every day of the range one day at a time, at several times of
// day, and compare each step with a date counted on by hand: the moves keep
// the time of day exactly, and the weekday goes round in sevens.
TEST(CalendarDate, EveryDayOfTheRangeStepByStep) {
    for (const int seconds : {0, 1, 12 * 3600 + 1, 86399}) {
        const int h = seconds / 3600, mi = seconds / 60 % 60, s = seconds % 60;
        int y = 100, mo = 1, d = 1, weekday = 5;  // 0100-01-01 was a Friday
        CalendarDate date = CalendarDate::fromSystemTime(timeOf(y, mo, d, h, mi, s));
        int mismatches = 0;
        for (;;) {
            SYSTEMTIME t;
            const SYSTEMTIME expected = timeOf(y, mo, d, h, mi, s, 0, weekday);
            if (!date.toSystemTime(t) || !(t == expected) ||
                std::fabs(CalendarDate::fromSystemTime(expected).value - date.value) > 1e-9) {
                if (++mismatches < 5) ADD_FAILURE() << y << "-" << mo << "-" << d << " at " << seconds;
            }
            if (y == 9999 && mo == 12 && d == 31) break;
            const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
            const int monthLength = mo == 2 ? (leap ? 29 : 28) : (mo == 4 || mo == 6 || mo == 9 || mo == 11) ? 30 : 31;
            if (++d > monthLength) {
                d = 1;
                if (++mo > 12) mo = 1, ++y;
            }
            weekday = (weekday + 1) % 7;
            date.add(DaySpan(1));
        }
        EXPECT_EQ(mismatches, 0);
        date.add(DaySpan(1));
        EXPECT_EQ(date.year(), -1);
    }
}

}  // namespace
}  // namespace orvane
