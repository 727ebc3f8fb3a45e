// CalendarDate and the month grid against a plain calendar (Julian day
// numbers, the Gregorian leap rule), for any broken-down time and any move:
//   - a time is valid exactly when it names a real date of the years 100 to
//     9999 with a real time of day, and then converts back unchanged with the
//     right weekday;
//   - a move by n days lands where the plain calendar says, keeping the time
//     of day, and moving back returns to the start;
//   - the grid has at most six rows of at most seven cells, and holds the
//     month's days in order after the blanks of the weeks' first days.

#include <cstdint>
#include <string>

#include "calendar/calendar_date.h"
#include "fuzz_support.h"
#include "screen/month_grid.h"

namespace {

using namespace orvane;

bool leap(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int64_t daysIn(int64_t year, int64_t month) {
    static const int64_t days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : days[month - 1];
}

int64_t julianDay(int64_t y, int64_t m, int64_t d) {
    return (1461 * (y + 4800 + (m - 14) / 12)) / 4 + (367 * (m - 2 - 12 * ((m - 14) / 12))) / 12 -
           (3 * ((y + 4900 + (m - 14) / 12) / 100)) / 4 + d - 32075;
}

void dateOfJulianDay(int64_t jdn, int64_t& y, int64_t& m, int64_t& d) {
    int64_t l = jdn + 68569;
    const int64_t n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const int64_t i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    const int64_t j = 80 * l / 2447;
    d = l - 2447 * j / 80;
    l = j / 11;
    m = j + 2 - 12 * l;
    y = 100 * (n - 49) + i + l;
}

// Fields mostly near their ranges, sometimes anything at all.
uint16_t field(fuzz::Input& input, uint16_t span, uint16_t low) {
    const uint16_t raw = input.take<uint16_t>();
    return input.take<uint8_t>() < 224 ? static_cast<uint16_t>(low + raw % span) : raw;
}

std::u16string twoDigits(int64_t value) {
    return {static_cast<char16_t>(u'0' + value / 10), static_cast<char16_t>(u'0' + value % 10)};
}

void checkGrid(const SYSTEMTIME& time, bool valid) {
    const MonthGrid grid = buildMonthGrid(time);
    FUZZ_CHECK(!grid.empty() && grid.size() <= 6);
    for (const auto& row : grid) FUZZ_CHECK(!row.empty() && row.size() <= 7);
    if (!valid) {
        for (const auto& row : grid)
            for (const auto& cell : row) FUZZ_CHECK(cell == u" ");
        return;
    }
    if (time.wYear == 9999 && time.wMonth == 12 && time.wDay == 31) {
        FUZZ_CHECK(grid.size() == 1);
        return;
    }
    // Blanks up to the 1st's column (Monday first), then 01, 02, ... in order.
    const int64_t column = (julianDay(time.wYear, time.wMonth, 1) % 7);  // 0 = Monday
    int64_t blanks = 0;
    int64_t day = 0;
    for (size_t r = 0; r < grid.size(); ++r) {
        if (r > 0 && r + 1 < grid.size()) FUZZ_CHECK(grid[r].size() == 7);
        for (const auto& cell : grid[r]) {
            if (cell == u" " && day == 0) {
                ++blanks;
            } else {
                ++day;
                FUZZ_CHECK(cell == twoDigits(day));
            }
        }
    }
    FUZZ_CHECK(blanks == column);
    FUZZ_CHECK(day == daysIn(time.wYear, time.wMonth));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    SYSTEMTIME time{};
    time.wYear = field(input, 10100, 0);
    time.wMonth = field(input, 14, 0);
    time.wDay = field(input, 33, 0);
    time.wDayOfWeek = input.take<uint16_t>();
    time.wHour = field(input, 25, 0);
    time.wMinute = field(input, 61, 0);
    time.wSecond = field(input, 61, 0);
    time.wMilliseconds = input.take<uint16_t>();
    const auto span = static_cast<int32_t>(input.take<uint32_t>() % 8000001u) - 4000000;

    const bool valid = time.wYear >= 100 && time.wYear <= 9999 && time.wMonth >= 1 && time.wMonth <= 12 &&
                       time.wDay >= 1 && time.wDay <= daysIn(time.wYear, time.wMonth) && time.wHour < 24 &&
                       time.wMinute < 60 && time.wSecond < 60;
    const CalendarDate date = CalendarDate::fromSystemTime(time);
    FUZZ_CHECK((date.status == CalendarDate::valid) == valid);
    checkGrid(time, valid);
    if (!valid) return 0;

    SYSTEMTIME back{};
    FUZZ_CHECK(date.toSystemTime(back));
    const int64_t jdn = julianDay(time.wYear, time.wMonth, time.wDay);
    FUZZ_CHECK(back.wYear == time.wYear && back.wMonth == time.wMonth && back.wDay == time.wDay);
    FUZZ_CHECK(back.wHour == time.wHour && back.wMinute == time.wMinute && back.wSecond == time.wSecond);
    FUZZ_CHECK(back.wMilliseconds == 0 && back.wDayOfWeek == (jdn + 1) % 7);

    CalendarDate moved = date;
    moved.add(DaySpan(span));
    const int64_t target = jdn + span;
    const bool inRange = target >= julianDay(100, 1, 1) && target <= julianDay(9999, 12, 31);
    SYSTEMTIME landed{};
    FUZZ_CHECK(moved.toSystemTime(landed) == inRange);
    if (inRange) {
        int64_t y = 0, m = 0, d = 0;
        dateOfJulianDay(target, y, m, d);
        FUZZ_CHECK(landed.wYear == y && landed.wMonth == m && landed.wDay == d);
        FUZZ_CHECK(landed.wHour == time.wHour && landed.wMinute == time.wMinute && landed.wSecond == time.wSecond);
    }
    moved.subtract(DaySpan(span));
    FUZZ_CHECK(moved.toSystemTime(back) && back.wYear == time.wYear && back.wMonth == time.wMonth &&
               back.wDay == time.wDay && back.wHour == time.wHour && back.wMinute == time.wMinute &&
               back.wSecond == time.wSecond);
    return 0;
}
