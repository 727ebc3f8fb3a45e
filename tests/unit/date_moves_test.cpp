// The date buttons against a plain walk: each month and year move is compared
// with a day-by-day walk over CalendarDate, checking every day passed, over
// many dates across the calendar, densely near its ends and near day 0.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calendar/calendar_date.h"
#include "input/date_moves.h"
#include "state/app_state.h"
#include "system_time_support.h"

namespace orvane {
namespace {

std::string text(const SYSTEMTIME& t) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u %02u:%02u:%02u.%03u dow %u", t.wYear, t.wMonth,
                  t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek);
    return buffer;
}

// ---- The walks, one day at a time ------------------------------------------

enum class Move { previousDay, nextDay, nextMonth, previousMonth, later, earlier };

// A walk in progress: every step is followed by the check of the day reached.
struct Walker {
    CalendarDate d;
    bool cancelled = false;

    bool check() {
        const int32_t y = d.year();
        if (y > 9999 || y < 100 || (y == 9999 && d.month() == 12 && d.day() == 30)) cancelled = true;
        return !cancelled;
    }
    bool forward() {
        d.add(DaySpan(1));
        return check();
    }
    bool back() {
        d.subtract(DaySpan(1));
        return check();
    }
};

// The working date after the move, or nothing when the walk is cancelled.
std::optional<SYSTEMTIME> walkedMove(const SYSTEMTIME& start, Move move, int32_t n = 0) {
    Walker w{CalendarDate::fromSystemTime(start)};
    const int32_t y0 = w.d.year(), m0 = w.d.month(), d0 = w.d.day();
    const std::optional<SYSTEMTIME> cancel;
    switch (move) {
    case Move::previousDay:
        w.d.subtract(DaySpan(1));
        break;
    case Move::nextDay:
        w.d.add(DaySpan(1));
        break;
    case Move::nextMonth: {
        while (w.d.month() == m0)
            if (!w.forward()) return cancel;
        const int32_t m1 = w.d.month();
        if (w.d.day() < d0)
            while (w.d.month() == m1) {
                if (!w.forward()) return cancel;
                if (w.d.day() >= d0) break;
            }
        if (w.d.month() != m1 && !w.back()) return cancel;
        break;
    }
    case Move::previousMonth: {
        while (w.d.month() == m0)
            if (!w.back()) return cancel;
        const int32_t m1 = w.d.month();
        if (w.d.day() > d0)
            while (w.d.month() == m1) {
                if (!w.back()) return cancel;
                if (w.d.day() <= d0) break;
            }
        break;
    }
    case Move::later: {
        const int32_t target = y0 + n;
        while (w.d.year() < target)
            if (!w.forward()) return cancel;
        if (w.d.month() < m0)
            while (w.d.year() == target) {
                if (!w.forward()) return cancel;
                if (w.d.month() >= m0) break;
            }
        if (n == 1) {
            if (w.d.day() < d0)
                while (w.d.month() == m0) {
                    if (!w.forward()) return cancel;
                    if (w.d.day() >= d0) break;
                }
        } else {
            if (w.d.day() <= d0)
                while (w.d.month() == m0) {
                    if (!w.forward()) return cancel;
                    if (w.d.day() > d0) break;
                }
        }
        if (w.d.day() != d0 && !w.back()) return cancel;
        break;
    }
    case Move::earlier: {
        const int32_t target = y0 - n;
        while (w.d.year() > target)
            if (!w.back()) return cancel;
        if (w.d.month() > m0)
            while (w.d.year() == target) {
                if (!w.back()) return cancel;
                if (w.d.month() <= m0) break;
            }
        if (w.d.day() > d0)
            while (w.d.month() == m0) {
                if (!w.back()) return cancel;
                if (w.d.day() <= d0) break;
            }
        if (w.d.day() != d0 && !w.forward()) return cancel;
        break;
    }
    }
    SYSTEMTIME stored = start;
    w.d.toSystemTime(stored);
    return stored;
}

// The same move made by the program on appState.workingDate.
std::optional<SYSTEMTIME> programMove(const SYSTEMTIME& start, Move move, int32_t n = 0) {
    appState.workingDate = start;
    DateMoveResult result = DateMoveResult::finished;
    switch (move) {
    case Move::previousDay: result = previousDay(); break;
    case Move::nextDay: result = nextDay(); break;
    case Move::nextMonth: result = nextMonth(); break;
    case Move::previousMonth: result = previousMonth(); break;
    case Move::later: result = yearsLater(n); break;
    case Move::earlier: result = yearsEarlier(n); break;
    }
    if (result == DateMoveResult::cancelled) {
        EXPECT_EQ(appState.workingDate, start) << "a cancelled move changed the date";
        return std::nullopt;
    }
    return appState.workingDate;
}

struct MoveKind {
    Move move;
    int32_t years;
    const char* name;
};
constexpr MoveKind dayAndMonthMoves[] = {
    {Move::previousDay, 0, "previousDay"},
    {Move::nextDay, 0, "nextDay"},
    {Move::nextMonth, 0, "nextMonth"},
    {Move::previousMonth, 0, "previousMonth"},
};
constexpr MoveKind shortYearMoves[] = {
    {Move::later, 1, "yearsLater(1)"},     {Move::earlier, 1, "yearsEarlier(1)"},
    {Move::later, 10, "yearsLater(10)"},   {Move::earlier, 10, "yearsEarlier(10)"},
    {Move::later, 100, "yearsLater(100)"}, {Move::earlier, 100, "yearsEarlier(100)"},
};
constexpr MoveKind oneAndTenYearMoves[] = {
    {Move::later, 1, "yearsLater(1)"},   {Move::earlier, 1, "yearsEarlier(1)"},
    {Move::later, 10, "yearsLater(10)"}, {Move::earlier, 10, "yearsEarlier(10)"},
};
constexpr MoveKind hundredYearMoves[] = {
    {Move::later, 100, "yearsLater(100)"}, {Move::earlier, 100, "yearsEarlier(100)"},
};
constexpr MoveKind laterThousand{Move::later, 1000, "yearsLater(1000)"};
constexpr MoveKind earlierThousand{Move::earlier, 1000, "yearsEarlier(1000)"};

// Compares program and walk; stops reporting after a few differences.
struct Comparison {
    int differences = 0;
    int compared = 0;
    int cancelled = 0;

    void compare(const SYSTEMTIME& start, const MoveKind& kind) {
        const std::optional<SYSTEMTIME> walked = walkedMove(start, kind.move, kind.years);
        const std::optional<SYSTEMTIME> made = programMove(start, kind.move, kind.years);
        ++compared;
        if (!walked) ++cancelled;
        const bool same = walked.has_value() == made.has_value() && (!walked || *walked == *made);
        if (!same && ++differences <= 5)
            ADD_FAILURE() << kind.name << " from " << text(start) << ": walk gives "
                          << (walked ? text(*walked) : "cancelled") << ", program gives "
                          << (made ? text(*made) : "cancelled");
    }
    template <size_t N>
    void compareAll(const SYSTEMTIME& start, const MoveKind (&kinds)[N]) {
        for (const MoveKind& kind : kinds) compare(start, kind);
    }
};

// Every day from `first` for `count` days, at a time of day that varies with the day.
std::vector<SYSTEMTIME> daysFrom(const SYSTEMTIME& first, int count) {
    static constexpr int times[][3] = {{0, 0, 0}, {23, 59, 59}, {12, 0, 0}, {6, 30, 1}, {0, 0, 1}};
    std::vector<SYSTEMTIME> days;
    CalendarDate date = CalendarDate::fromSystemTime(first);
    for (int i = 0; i < count; ++i, date.add(DaySpan(1))) {
        SYSTEMTIME t;
        if (!date.toSystemTime(t)) break;
        const int* hms = times[i % 5];
        t.wHour = static_cast<uint16_t>(hms[0]);
        t.wMinute = static_cast<uint16_t>(hms[1]);
        t.wSecond = static_cast<uint16_t>(hms[2]);
        t.wMilliseconds = static_cast<uint16_t>(i * 37 % 1000);
        days.push_back(t);
    }
    return days;
}

// ---- Worked cases ----------------------------------------------------------

TEST(DateMoves, WorkedResults) {
    struct Case {
        MoveKind kind;
        SYSTEMTIME from;
        std::optional<SYSTEMTIME> to;  // date only; time of day is kept
    };
    const std::optional<SYSTEMTIME> cancelled;
    const MoveKind nextMonthMove{Move::nextMonth, 0, "nextMonth"};
    const MoveKind previousMonthMove{Move::previousMonth, 0, "previousMonth"};
    const MoveKind nextDayMove{Move::nextDay, 0, "nextDay"};
    const MoveKind previousDayMove{Move::previousDay, 0, "previousDay"};
    auto later = [](int n) { return MoveKind{Move::later, n, "yearsLater"}; };
    auto earlier = [](int n) { return MoveKind{Move::earlier, n, "yearsEarlier"}; };
    const Case cases[] = {
        {nextMonthMove, timeOf(2023, 1, 31), timeOf(2023, 2, 28)},
        {nextMonthMove, timeOf(2024, 1, 31), timeOf(2024, 2, 29)},
        {nextMonthMove, timeOf(2024, 4, 30), timeOf(2024, 5, 30)},
        {nextMonthMove, timeOf(2024, 5, 31), timeOf(2024, 6, 30)},
        {nextMonthMove, timeOf(2024, 12, 15), timeOf(2025, 1, 15)},
        {previousMonthMove, timeOf(2024, 3, 31), timeOf(2024, 2, 29)},
        {previousMonthMove, timeOf(2024, 3, 15), timeOf(2024, 2, 15)},
        {previousMonthMove, timeOf(2024, 7, 31), timeOf(2024, 6, 30)},
        {previousMonthMove, timeOf(2024, 1, 31), timeOf(2023, 12, 31)},
        {later(1), timeOf(2024, 2, 29), timeOf(2025, 2, 28)},
        {earlier(1), timeOf(2024, 2, 29), timeOf(2023, 3, 1)},
        {later(10), timeOf(2024, 2, 29), timeOf(2034, 2, 28)},
        {earlier(10), timeOf(2024, 2, 29), timeOf(2014, 3, 1)},
        {later(100), timeOf(2000, 2, 29), timeOf(2100, 2, 28)},
        {earlier(100), timeOf(2000, 2, 29), timeOf(1900, 3, 1)},
        {later(1000), timeOf(2020, 6, 15), timeOf(3020, 6, 15)},
        {earlier(1000), timeOf(2020, 6, 15), timeOf(1020, 6, 15)},
        {nextDayMove, timeOf(9999, 12, 29), timeOf(9999, 12, 30)},
        {nextDayMove, timeOf(9999, 12, 30), timeOf(9999, 12, 31)},
        {nextDayMove, timeOf(9999, 12, 31), timeOf(9999, 12, 31)},
        {previousDayMove, timeOf(100, 1, 1), timeOf(100, 1, 1)},
        {previousDayMove, timeOf(1899, 12, 30), timeOf(1899, 12, 29)},
        {nextMonthMove, timeOf(9999, 11, 29), timeOf(9999, 12, 29)},
        {nextMonthMove, timeOf(9999, 11, 30), cancelled},
        {later(1), timeOf(9998, 12, 29), timeOf(9999, 12, 29)},
        {later(10), timeOf(9989, 12, 29), cancelled},
        {later(10), timeOf(9989, 12, 28), timeOf(9999, 12, 28)},
        {nextMonthMove, timeOf(9999, 12, 31), cancelled},
        {previousMonthMove, timeOf(9999, 12, 31), cancelled},
        {later(1), timeOf(9999, 12, 31), cancelled},
        {earlier(1), timeOf(9999, 12, 31), cancelled},
        {earlier(1000), timeOf(9999, 12, 31), cancelled},
        {previousDayMove, timeOf(9999, 12, 31), timeOf(9999, 12, 30)},
        {previousMonthMove, timeOf(9999, 12, 30), timeOf(9999, 11, 30)},
        {earlier(1), timeOf(9999, 12, 30), timeOf(9998, 12, 30)},
        {previousMonthMove, timeOf(100, 1, 1), cancelled},
        {previousMonthMove, timeOf(100, 1, 31), cancelled},
        {previousMonthMove, timeOf(100, 2, 15), timeOf(100, 1, 15)},
        {earlier(1), timeOf(100, 1, 1), cancelled},
        {earlier(1), timeOf(100, 12, 31), cancelled},
        {earlier(10), timeOf(109, 12, 31), cancelled},
        {earlier(10), timeOf(110, 1, 1), timeOf(100, 1, 1)},
        {earlier(1), timeOf(101, 3, 15), timeOf(100, 3, 15)},
        {later(1000), timeOf(9000, 1, 1), cancelled},
        {later(1000), timeOf(8999, 12, 28), timeOf(9999, 12, 28)},
        {later(1000), timeOf(8999, 12, 29), cancelled},
        {later(1), timeOf(9999, 1, 1), cancelled},
    };
    for (const Case& c : cases) {
        for (const SYSTEMTIME& at : {timeOf(0, 0, 0, 0, 0, 0), timeOf(0, 0, 0, 23, 59, 59, 999), timeOf(0, 0, 0, 7, 8, 9)}) {
            SYSTEMTIME start = c.from;
            start.wHour = at.wHour, start.wMinute = at.wMinute, start.wSecond = at.wSecond;
            start.wMilliseconds = at.wMilliseconds;
            const std::optional<SYSTEMTIME> made = programMove(start, c.kind.move, c.kind.years);
            const std::string what = std::string(c.kind.name) + "(" + std::to_string(c.kind.years) + ") from " + text(start);
            ASSERT_EQ(made.has_value(), c.to.has_value()) << what;
            if (!made) continue;
            const bool unchanged = c.to->wYear == start.wYear && c.to->wMonth == start.wMonth && c.to->wDay == start.wDay;
            SYSTEMTIME expected = *c.to;
            expected.wHour = at.wHour, expected.wMinute = at.wMinute, expected.wSecond = at.wSecond;
            // A stored date drops its milliseconds; an unstored one keeps all it had.
            expected.wMilliseconds = unchanged ? start.wMilliseconds : 0;
            expected.wDayOfWeek = unchanged ? start.wDayOfWeek
                                            : static_cast<uint16_t>(CalendarDate::fromSystemTime(expected).dayOfWeek() - 1);
            EXPECT_EQ(*made, expected) << what << " gives " << text(*made);
        }
    }
}

TEST(DateMoves, AnInvalidWorkingDateIsNeverMoved) {
    const SYSTEMTIME notADate = timeOf(2001, 2, 29, 10);
    Comparison comparison;
    comparison.compareAll(notADate, dayAndMonthMoves);
    comparison.compareAll(notADate, shortYearMoves);
    comparison.compare(notADate, laterThousand);
    comparison.compare(notADate, earlierThousand);
    EXPECT_EQ(comparison.differences, 0);
    appState.workingDate = notADate;
    EXPECT_EQ(nextMonth(), DateMoveResult::cancelled);
    EXPECT_EQ(yearsEarlier(1), DateMoveResult::cancelled);
    EXPECT_EQ(nextDay(), DateMoveResult::finished);
    EXPECT_EQ(appState.workingDate, notADate);
}

// ---- The walks compared over many dates --------------------------------------

TEST(DateMoves, MatchTheWalkOnRandomDates) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> dayOfRange(0, 3615899);  // 0100-01-01 to 9999-12-31
    std::uniform_int_distribution<int> secondOfDay(0, 86399);
    Comparison comparison;
    for (int i = 0; i < 400; ++i) {
        CalendarDate date = CalendarDate::fromSystemTime(timeOf(100, 1, 1));
        date.add(DaySpan(dayOfRange(random)));
        SYSTEMTIME start;
        ASSERT_TRUE(date.toSystemTime(start));
        const int s = secondOfDay(random);
        start.wHour = static_cast<uint16_t>(s / 3600);
        start.wMinute = static_cast<uint16_t>(s / 60 % 60);
        start.wSecond = static_cast<uint16_t>(s % 60);
        comparison.compareAll(start, dayAndMonthMoves);
        comparison.compareAll(start, shortYearMoves);
        if (i % 20 == 0) {
            comparison.compare(start, laterThousand);
            comparison.compare(start, earlierThousand);
        }
    }
    EXPECT_EQ(comparison.differences, 0) << "of " << comparison.compared;
}

TEST(DateMoves, MatchTheWalkNearTheFirstDay) {
    Comparison comparison;
    int i = 0;
    for (const SYSTEMTIME& start : daysFrom(timeOf(100, 1, 1), 366 * 2 + 40)) {
        comparison.compareAll(start, dayAndMonthMoves);
        comparison.compareAll(start, oneAndTenYearMoves);
        comparison.compare(start, hundredYearMoves[1]);
        comparison.compare(start, earlierThousand);
        if (i++ % 4 == 0) comparison.compare(start, hundredYearMoves[0]);
    }
    // The first days from which a ten-year move back succeeds.
    for (const SYSTEMTIME& start : daysFrom(timeOf(109, 12, 1), 62)) comparison.compareAll(start, shortYearMoves);
    for (const SYSTEMTIME& start : daysFrom(timeOf(199, 12, 20), 20)) comparison.compareAll(start, shortYearMoves);
    for (const SYSTEMTIME& start : daysFrom(timeOf(1099, 12, 29), 5)) comparison.compare(start, earlierThousand);
    EXPECT_EQ(comparison.differences, 0) << "of " << comparison.compared;
    EXPECT_GT(comparison.cancelled, 0);
}

TEST(DateMoves, MatchTheWalkAroundDayZero) {
    Comparison comparison;
    int i = 0;
    for (const SYSTEMTIME& start : daysFrom(timeOf(1898, 11, 1), 800)) {
        comparison.compareAll(start, dayAndMonthMoves);
        comparison.compareAll(start, oneAndTenYearMoves);
        if (i++ % 4 == 0) comparison.compareAll(start, hundredYearMoves);
    }
    for (const SYSTEMTIME& start : daysFrom(timeOf(1899, 12, 28), 4)) {
        comparison.compare(start, laterThousand);
        comparison.compare(start, earlierThousand);
    }
    EXPECT_EQ(comparison.differences, 0) << "of " << comparison.compared;
}

TEST(DateMoves, MatchTheWalkNearTheLastDays) {
    Comparison comparison;
    // The last two years: every move from every day.
    int i = 0;
    for (const SYSTEMTIME& start : daysFrom(timeOf(9998, 1, 1), 731)) {
        comparison.compareAll(start, dayAndMonthMoves);
        comparison.compareAll(start, oneAndTenYearMoves);
        comparison.compare(start, hundredYearMoves[0]);
        comparison.compare(start, laterThousand);
        if (i++ % 4 == 0) comparison.compare(start, hundredYearMoves[1]);
    }
    // Where a move forward by 10, 100 or 1000 years starts to reach past the
    // 29 December of 9999: the day after its result is visited as well.
    for (const SYSTEMTIME& start : daysFrom(timeOf(9989, 11, 25), 45)) comparison.compare(start, {Move::later, 10, "yearsLater(10)"});
    for (const SYSTEMTIME& start : daysFrom(timeOf(9899, 11, 25), 45)) comparison.compare(start, {Move::later, 100, "yearsLater(100)"});
    for (const SYSTEMTIME& start : daysFrom(timeOf(9898, 12, 25), 10)) comparison.compare(start, {Move::later, 1, "yearsLater(1)"});
    for (const SYSTEMTIME& start : daysFrom(timeOf(8999, 12, 26), 8)) comparison.compare(start, laterThousand);
    // 29 February: the one-year move stops on 28 February, the longer ones go
    // on to 1 March before coming back.
    for (const SYSTEMTIME& start : daysFrom(timeOf(9996, 2, 27), 4)) comparison.compareAll(start, shortYearMoves);
    EXPECT_EQ(comparison.differences, 0) << "of " << comparison.compared;
    EXPECT_GT(comparison.cancelled, 0);
}

TEST(DateMoves, SuccessKeepsTimeAndSetsWeekday) {
    appState.workingDate = timeOf(2024, 1, 31, 13, 14, 15, 678);
    appState.workingDate.wDayOfWeek = 0;  // wrong on purpose: it is not read
    ASSERT_EQ(nextMonth(), DateMoveResult::finished);
    EXPECT_EQ(appState.workingDate, [] {
        SYSTEMTIME t = timeOf(2024, 2, 29, 13, 14, 15, 0);
        t.wDayOfWeek = 4;  // Thursday
        return t;
    }());
    ASSERT_EQ(yearsLater(1000), DateMoveResult::finished);
    EXPECT_EQ(appState.workingDate.wYear, 3024);
    EXPECT_EQ(appState.workingDate.wMonth, 2);
    EXPECT_EQ(appState.workingDate.wDay, 29);  // 3024 is a leap year
    EXPECT_EQ(appState.workingDate.wHour, 13);
    EXPECT_EQ(appState.workingDate.wDayOfWeek,
              CalendarDate::fromSystemTime(appState.workingDate).dayOfWeek() - 1);
}

}  // namespace
}  // namespace orvane
