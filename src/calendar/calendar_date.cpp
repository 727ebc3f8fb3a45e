// CalendarDate: conversions between broken-down time and the day count, and
// moves by whole days through a continuous scale. All computed here.

#include "calendar/calendar_date.h"

#include <cmath>

#include "calendar/civil_days.h"

namespace orvane {

namespace {

constexpr double secondsPerDay = 86400.0;
// Values strictly between these two convert to broken-down time.
constexpr double lowestValueOut = -657435.0;   // 0099-12-31 00:00:00
constexpr double highestValueOut = 2958466.0;  // 10000-01-01 00:00:00
// Half a second, in days: the margin around zero below which a value is
// taken for a negative (discontinuous) one.
constexpr double halfSecond = 1.0 / 172800.0;

// Day count to broken-down time. False, writing nothing, outside the range.
bool brokenDownTime(double value, SYSTEMTIME& time) {
    if (!(value > lowestValueOut && value < highestValueOut)) return false;  // NaN fails too
    const double wholeDays = std::trunc(value);
    auto dayNumber = static_cast<int64_t>(wholeDays);
    const double fraction = std::fabs(value - wholeDays);
    int64_t seconds = std::llround(fraction * secondsPerDay);
    if (seconds >= 86400) {
        // Rounded up to midnight: the start of the next calendar day.
        seconds = 0;
        dayNumber += 1;
        // 9999-12-31 23:59:59.5 and later would roll into the year 10000,
        // which no broken-down time of the calendar holds.
        if (dayNumber > lastCalendarDay) return false;
    }
    const CivilDate date = civilDateOf(dayNumber);
    time.wYear = static_cast<uint16_t>(date.year);
    time.wMonth = static_cast<uint16_t>(date.month);
    time.wDayOfWeek = static_cast<uint16_t>(weekdayOf(dayNumber));
    time.wDay = static_cast<uint16_t>(date.day);
    time.wHour = static_cast<uint16_t>(seconds / 3600);
    time.wMinute = static_cast<uint16_t>(seconds / 60 % 60);
    time.wSecond = static_cast<uint16_t>(seconds % 60);
    time.wMilliseconds = 0;
    return true;
}

// Broken-down time to day count. Only the month must be usable (1 to 12);
// any other field out of its range gives some value that the reconversion
// test then rejects.
bool dayCountOf(const SYSTEMTIME& time, double& value) {
    if (time.wMonth < 1 || time.wMonth > 12) return false;
    const int64_t dayNumber = dayNumberOf(time.wYear, time.wMonth, time.wDay);
    const double fraction =
        (time.wHour * 3600.0 + time.wMinute * 60.0 + time.wSecond) / secondsPerDay;
    const auto wholeDays = static_cast<double>(dayNumber);
    value = dayNumber >= 0 ? wholeDays + fraction : wholeDays - fraction;
    return true;
}

// The day count on a scale without the jump at zero, and back.
double continuousOf(double value) {
    if (value > -halfSecond) return value;
    const double c = std::ceil(value);
    return c - (value - c);
}

double encodedOf(double x) {
    if (x > -halfSecond) return x;
    const double g = std::floor(x);
    return g + (g - x);
}

}  // namespace

CalendarDate CalendarDate::fromSystemTime(const SYSTEMTIME& time) {
    CalendarDate date;
    SYSTEMTIME back;
    const bool sameInstant =
        dayCountOf(time, date.value) && brokenDownTime(date.value, back) &&
        back.wYear == time.wYear && back.wMonth == time.wMonth && back.wDay == time.wDay &&
        back.wHour == time.wHour && back.wMinute == time.wMinute && back.wSecond == time.wSecond;
    date.status = sameInstant ? valid : invalid;
    return date;
}

bool CalendarDate::toSystemTime(SYSTEMTIME& time) const {
    if (status != valid) return false;
    return brokenDownTime(value, time);
}

int32_t CalendarDate::year() const {
    SYSTEMTIME time;
    return toSystemTime(time) ? time.wYear : -1;
}

int32_t CalendarDate::month() const {
    SYSTEMTIME time;
    return toSystemTime(time) ? time.wMonth : -1;
}

int32_t CalendarDate::day() const {
    SYSTEMTIME time;
    return toSystemTime(time) ? time.wDay : -1;
}

int32_t CalendarDate::dayOfWeek() const {
    SYSTEMTIME time;
    return toSystemTime(time) ? time.wDayOfWeek + 1 : -1;
}

CalendarDate& CalendarDate::add(DaySpan span) {
    value = encodedOf(continuousOf(value) + span.days);
    return *this;
}

CalendarDate& CalendarDate::subtract(DaySpan span) {
    value = encodedOf(continuousOf(value) - span.days);
    return *this;
}

}  // namespace orvane
