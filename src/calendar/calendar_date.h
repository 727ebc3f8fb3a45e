#pragma once
// CalendarDate: one instant (a date and a time of day to the second) held as a
// day count since 1899-12-30 00:00:00, the OLE Automation date encoding, with
// a valid/invalid status. DaySpan: whole days by which a date is moved.
//
// Encoding: for a value of 0 or more the integer part is the day and the
// fraction the time of day; for a negative value the integer part (toward
// zero) is the day and the time of day is the absolute value of the fraction,
// so -1.25 is 1899-12-29 06:00:00. Valid from 0100-01-01 00:00:00 to
// 9999-12-31 23:59:59. Both conversions are computed here, proleptic
// Gregorian, with no platform call.

#include <cstdint>

#include "platform/types.h"

namespace orvane {

struct DaySpan {
    explicit DaySpan(int32_t wholeDays) : days(wholeDays) {}
    double days;
};

struct CalendarDate {
    static constexpr int32_t valid = 0;
    static constexpr int32_t invalid = 1;

    double value = 0.0;
    int32_t status = valid;

    // Valid exactly when `time` names an existing date from 0100-01-01 to
    // 9999-12-31 with hour 0-23, minute 0-59 and second 0-59 (it converts
    // there and back unchanged); wDayOfWeek and wMilliseconds are not read.
    static CalendarDate fromSystemTime(const SYSTEMTIME& time);

    // Fills every field of `time` (wMilliseconds 0) and returns true; returns
    // false and leaves `time` untouched when invalid or out of range.
    bool toSystemTime(SYSTEMTIME& time) const;

    [[nodiscard]] int32_t year() const;       // 100..9999, -1 when invalid or out of range
    [[nodiscard]] int32_t month() const;      // 1..12, -1 likewise
    [[nodiscard]] int32_t day() const;        // 1..31, -1 likewise
    [[nodiscard]] int32_t dayOfWeek() const;  // 1 = Sunday .. 7 = Saturday, -1 likewise

    // Move by whole days, keeping the time of day; status is not changed.
    CalendarDate& add(DaySpan span);
    CalendarDate& subtract(DaySpan span);
};

}  // namespace orvane
