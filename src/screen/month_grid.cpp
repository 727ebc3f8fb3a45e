// The month calendar's grid, built by walking the working month day by day.
#include "screen/month_grid.h"

#include "calendar/calendar_date.h"
#include "standards/standard_words.h"

namespace orvane {

namespace {

constexpr size_t maxRows = 6;  // the calendar draws six week boxes
const std::u16string emptyCell = u" ";

// The text of one day; a day the calendar cannot tell (-1) is an empty cell.
std::u16string dayCell(const CalendarDate& date) {
    const int32_t day = date.day();
    if (day < 1) return emptyCell;
    return twoDigitText(static_cast<uint16_t>(day));
}

}  // namespace

MonthGrid buildMonthGrid(const SYSTEMTIME& workingDate) {
    const DaySpan oneDay(1);
    CalendarDate first = CalendarDate::fromSystemTime(workingDate);
    const DaySpan back(first.day());

    // 31 December 9999 is the last day the calendar holds: the day after it,
    // which the step back to the 1st passes through, cannot be formed. That
    // one date is shown alone in its week.
    const bool atEnd = first.year() == 9999 && first.month() == 12 && first.day() == 31;
    if (!atEnd) first.add(oneDay).subtract(back);

    MonthGrid grid;
    std::vector<std::u16string> row;
    CalendarDate d = first;

    // Monday-first column of the 1st: dayOfWeek counts 1 = Sunday .. 7 =
    // Saturday, so Sunday becomes 8 and column = w − 2. Monday and a date the
    // calendar cannot tell start in the first column.
    int32_t w = d.dayOfWeek();
    if (w == 1) w = 8;
    if (w >= 3) {
        row.assign(static_cast<size_t>(w - 2), emptyCell);
    } else {
        w = 2;
    }
    for (int32_t cell = 0; cell < 9 - w; ++cell) {
        row.push_back(atEnd && cell > 0 ? emptyCell : dayCell(d));
        d.add(oneDay);
    }
    grid.push_back(std::move(row));

    // Whole weeks until the month changes. A date the calendar cannot hold
    // never changes month (month() is -1 throughout), so the walk also ends
    // after the six rows the calendar draws.
    const int32_t month = first.month();
    while (d.month() == month && grid.size() < maxRows) {
        row.clear();
        while (row.size() < 7 && d.month() == month) {
            row.push_back(dayCell(d));
            d.add(oneDay);
        }
        grid.push_back(std::move(row));
    }
    return grid;
}

}  // namespace orvane
