// The date buttons. Month and year moves are defined as a walk from the
// working date one day at a time, checking every day passed; the walk's
// days always form one unbroken run, so each move works out the first and
// last day the walk would visit and the day it ends on, checks the run, and
// then moves the date there in one step.

#include "input/date_moves.h"

#include <algorithm>

#include "calendar/calendar_date.h"
#include "calendar/civil_days.h"
#include "state/app_state.h"

namespace orvane {

namespace {

// The last day a month or year walk may pass is 29 December 9999; the 30th is
// refused although it is a valid date.
constexpr int64_t refusedWalkDay = lastCalendarDay - 1;

// The days a walk visits after leaving its start, and the day it ends on.
struct Walk {
    int64_t firstVisited;
    int64_t lastVisited;
    int64_t end;
};

bool walkPasses(const Walk& walk) {
    return walk.firstVisited >= firstCalendarDay && walk.lastVisited <= lastCalendarDay &&
           !(walk.firstVisited <= refusedWalkDay && refusedWalkDay <= walk.lastVisited);
}

// The working date as a day number and a date; false if it is not a valid date.
struct Start {
    CalendarDate date;
    int64_t dayNumber;
    int32_t year;
    int32_t month;
    int32_t day;
};

bool startOfMove(Start& start) {
    start.date = CalendarDate::fromSystemTime(appState.workingDate);
    if (start.date.status != CalendarDate::valid) return false;
    start.year = appState.workingDate.wYear;
    start.month = appState.workingDate.wMonth;
    start.day = appState.workingDate.wDay;
    start.dayNumber = dayNumberOf(start.year, start.month, start.day);
    return true;
}

// Forward through the rest of the month to the 1st of the next, then on to
// the start's day of the month, or to the 1st after that month if it is
// shorter, coming back one day in that case.
Walk nextMonthWalk(const Start& s) {
    const int64_t nextFirst = s.dayNumber + daysInMonth(s.year, s.month) - s.day + 1;
    const CivilDate next = civilDateOf(nextFirst);
    const int32_t length = daysInMonth(next.year, next.month);
    const int64_t farthest = nextFirst + std::min(s.day, length + 1) - 1;
    return {s.dayNumber + 1, farthest, nextFirst + std::min(s.day, length) - 1};
}

// Back to the last day of the previous month, then back to the start's day
// of the month if that month is longer.
Walk previousMonthWalk(const Start& s) {
    const int64_t previousLast = s.dayNumber - s.day;
    const CivilDate previous = civilDateOf(previousLast);
    const int64_t end = previousLast - std::max(previous.day - s.day, 0);
    return {end, s.dayNumber - 1, end};
}

// Forward to 1 January of the target year, on to the 1st of the start's
// month, then through that month: a one-year move stops on the start's day
// (or the 1st after a shorter month), a longer move one day past it; both
// come back one day when they stand off the start's day.
Walk yearsLaterWalk(const Start& s, int32_t years) {
    const int64_t targetYear = static_cast<int64_t>(s.year) + years;
    const int64_t monthFirst = dayNumberOf(targetYear, s.month, 1);
    const int32_t length = daysInMonth(targetYear, s.month);
    const int32_t overshoot = years == 1 ? 0 : 1;
    const int64_t farthest = monthFirst + std::min(s.day + overshoot, length + 1) - 1;
    return {s.dayNumber + 1, farthest, monthFirst + std::min(s.day, length) - 1};
}

// Back to 31 December of the target year, to the last day of the start's
// month, then to the start's day; a shorter month's last day is below the
// start's day, so the walk steps forward once onto the 1st of the next month.
Walk yearsEarlierWalk(const Start& s, int32_t years) {
    const int64_t targetYear = static_cast<int64_t>(s.year) - years;
    const int32_t length = daysInMonth(targetYear, s.month);
    const int64_t lowest = dayNumberOf(targetYear, s.month, std::min(s.day, length));
    return {lowest, s.dayNumber - 1, s.day > length ? lowest + 1 : lowest};
}

DateMoveResult finishWalk(Start& start, const Walk& walk) {
    if (!walkPasses(walk)) return DateMoveResult::cancelled;
    const int64_t days = walk.end - start.dayNumber;
    if (days >= 0)
        start.date.add(DaySpan(static_cast<int32_t>(days)));
    else
        start.date.subtract(DaySpan(static_cast<int32_t>(-days)));
    start.date.toSystemTime(appState.workingDate);
    return DateMoveResult::finished;
}

DateMoveResult stepOneDay(bool forward) {
    CalendarDate date = CalendarDate::fromSystemTime(appState.workingDate);
    if (forward)
        date.add(DaySpan(1));
    else
        date.subtract(DaySpan(1));
    // Out of range (or not a date at all): the store fails and the date stays.
    date.toSystemTime(appState.workingDate);
    return DateMoveResult::finished;
}

}  // namespace

DateMoveResult previousDay() { return stepOneDay(false); }

DateMoveResult nextDay() { return stepOneDay(true); }

// A working date that is not a valid date fails the walk's first check.
DateMoveResult nextMonth() {
    Start start;
    if (!startOfMove(start)) return DateMoveResult::cancelled;
    return finishWalk(start, nextMonthWalk(start));
}

DateMoveResult previousMonth() {
    Start start;
    if (!startOfMove(start)) return DateMoveResult::cancelled;
    return finishWalk(start, previousMonthWalk(start));
}

DateMoveResult yearsLater(int32_t years) {
    Start start;
    if (!startOfMove(start) || years < 1) return DateMoveResult::cancelled;
    return finishWalk(start, yearsLaterWalk(start, years));
}

DateMoveResult yearsEarlier(int32_t years) {
    Start start;
    if (!startOfMove(start) || years < 1) return DateMoveResult::cancelled;
    return finishWalk(start, yearsEarlierWalk(start, years));
}

}  // namespace orvane
