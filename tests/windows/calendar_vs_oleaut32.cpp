// Compares CalendarDate with the Windows automation library's own conversions
// (SystemTimeToVariantTime, VariantTimeToSystemTime in oleaut32): every day of
// the calendar at several times of day, the values at the ends of the range
// and around day 0, and broken-down times that name no real instant.
// Prints a summary and exits with 0 when everything agrees.

#define NOMINMAX
#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include "calendar/calendar_date.h"
#include "platform/win32/system_time.h"
#include "system_time_support.h"

namespace {

using orvane::CalendarDate;

int failures = 0;
int64_t checks = 0;
std::map<std::string, int> failuresByKind;
int64_t valuesEqual = 0;
int64_t valuesWithinRounding = 0;

// Counts a mismatch of one kind; prints the first few of each kind.
void fail(const char* what, const char* detail) {
    ++failures;
    if (++failuresByKind[what] <= 5) std::printf("MISMATCH %s: %s\n", what, detail);
}

// The two sides may add up the time of day in another order: allow the last
// few bits of the double to differ (far below a millisecond).
bool sameValueUpToRounding(double a, double b) {
    return std::fabs(a - b) <= 4.0 * (std::nextafter(std::fabs(a), INFINITY) - std::fabs(a));
}

bool sameFields(const orvane::SYSTEMTIME& a, const ::SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDayOfWeek == b.wDayOfWeek &&
           a.wDay == b.wDay && a.wHour == b.wHour && a.wMinute == b.wMinute &&
           a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

bool sameInstant(const orvane::SYSTEMTIME& a, const ::SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

void describe(char* buffer, size_t size, const orvane::SYSTEMTIME& t) {
    std::snprintf(buffer, size, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond);
}

// Day count to broken-down: both accept the same values and give the same
// fields. The weekday is left out where the time of day rounds up into the
// next day: Wine gives the weekday of the day before (noted, not counted).
void compareBrokenDown(double value, const char* what, bool compareWeekday = true) {
    ++checks;
    CalendarDate date;
    date.value = value;
    orvane::SYSTEMTIME ours{};
    ::SYSTEMTIME theirs{};
    const bool oursOk = date.toSystemTime(ours);
    const bool theirsOk = VariantTimeToSystemTime(value, &theirs) != 0;
    const bool weekdayOk = !oursOk || !theirsOk || ours.wDayOfWeek == theirs.wDayOfWeek;
    if (!compareWeekday && !weekdayOk) {
        std::printf("note: %.17g rounds up to the next day; weekday ours %u, oleaut32 %u\n", value,
                    ours.wDayOfWeek, theirs.wDayOfWeek);
        theirs.wDayOfWeek = ours.wDayOfWeek;
    }
    if (oursOk != theirsOk || (oursOk && !sameFields(ours, theirs))) {
        char detail[200];
        std::snprintf(detail, sizeof detail,
                      "%.17g: ours %s %04u-%02u-%02u %02u:%02u:%02u dow %u, oleaut32 %s %04u-%02u-%02u "
                      "%02u:%02u:%02u dow %u",
                      value, oursOk ? "ok" : "fails", ours.wYear, ours.wMonth, ours.wDay, ours.wHour,
                      ours.wMinute, ours.wSecond, ours.wDayOfWeek, theirsOk ? "ok" : "fails", theirs.wYear,
                      theirs.wMonth, theirs.wDay, theirs.wHour, theirs.wMinute, theirs.wSecond,
                      theirs.wDayOfWeek);
        fail(what, detail);
    }
}

// A real instant: both give the same value, and each value reads back as the
// instant with its weekday.
void compareInstant(const orvane::SYSTEMTIME& t) {
    ++checks;
    char when[40];
    describe(when, sizeof when, t);
    const CalendarDate ours = CalendarDate::fromSystemTime(t);
    if (ours.status != CalendarDate::valid) return fail("ours rejects a real instant", when);
    ::SYSTEMTIME input = orvane::win32::toWindows(t);
    double theirs = 0.0;
    if (SystemTimeToVariantTime(&input, &theirs) == 0) return fail("oleaut32 rejects a real instant", when);
    if (theirs == ours.value) {
        ++valuesEqual;
    } else if (sameValueUpToRounding(theirs, ours.value)) {
        ++valuesWithinRounding;
    } else {
        char detail[120];
        std::snprintf(detail, sizeof detail, "%s: ours %.17g, oleaut32 %.17g", when, ours.value, theirs);
        return fail("day count", detail);
    }
    ::SYSTEMTIME back{};
    if (VariantTimeToSystemTime(theirs, &back) == 0 || !sameInstant(t, back) || back.wMilliseconds != 0)
        return fail("oleaut32 round trip", when);
    orvane::SYSTEMTIME ourBack{};
    if (!ours.toSystemTime(ourBack) || !sameFields(ourBack, back)) return fail("our round trip", when);
    compareBrokenDown(ours.value, "oleaut32 reading our day count");
}

void everyDay() {
    const int times[][3] = {{0, 0, 0}, {0, 0, 1}, {6, 0, 0}, {12, 0, 0}, {18, 30, 30}, {23, 59, 59}};
    for (const auto& hms : times) {
        orvane::SYSTEMTIME day = orvane::timeOf(100, 1, 1, hms[0], hms[1], hms[2]);
        CalendarDate walker = CalendarDate::fromSystemTime(day);
        int64_t days = 0;
        for (;;) {
            compareInstant(day);
            ++days;
            walker.add(orvane::DaySpan(1));
            if (!walker.toSystemTime(day)) break;
        }
        if (days != 3615900) {
            char detail[60];
            std::snprintf(detail, sizeof detail, "%lld days", static_cast<long long>(days));
            fail("every day of the range was not reached", detail);
        }
    }
}

void rangeEndsAndDayZero() {
    constexpr double second = 1.0 / 86400.0;
    const double values[] = {
        -657435.0, -657434.0 - 86399.0 * second, -657434.0 - 86399.4 * second, -657434.0, -657433.5,
        -1.75, -1.25, -1.0, -0.75, -0.5, -0.25, -second / 2.0, -second / 3.0, 0.0, second / 3.0,
        0.25, 0.5, 1.0, 1.5, 2.0, 2.5, 36585.75, 2958464.5, 2958465.0, 2958465.0 + 86399.0 * second,
        2958465.0 + 86399.4 * second, 2958466.0, 2958466.5, -657436.0, 1e9, -1e9,
    };
    for (double value : values) compareBrokenDown(value, "range end or day 0");

    // Times of day that round up to midnight of the next calendar day.
    for (double value : {-657434.99999999, -2.99999999, -0.99999999, 0.99999999, 2.99999999, 2958464.99999999})
        compareBrokenDown(value, "rounding up into the next day", false);
    // At the very end that next day would be 10000-01-01, which is no date
    // of the calendar: we refuse it.
    {
        ++checks;
        CalendarDate end;
        end.value = 2958465.99999999;
        orvane::SYSTEMTIME ours{};
        ::SYSTEMTIME theirs{};
        if (end.toSystemTime(ours)) fail("rounding past the last day", "ours converts it");
        if (VariantTimeToSystemTime(end.value, &theirs) != 0)
            std::printf("note: 2958465.99999999 rounds up; oleaut32 gives %04u-%02u-%02u, ours refuses it\n",
                        theirs.wYear, theirs.wMonth, theirs.wDay);
    }

    // Fractions of a second away from whole seconds, both sides of zero;
    // a tie of exactly half a second may round either way, so none is made.
    for (int i = -4000; i <= 4000; ++i) {
        if (i % 500 == 0) continue;
        compareBrokenDown(i * 0.37 + i * 0.001 * second, "fractional value");
    }
}

void instantsThatDoNotExist() {
    struct Case {
        const char* what;
        orvane::SYSTEMTIME time;
    };
    const Case cases[] = {
        {"2001-02-29", orvane::timeOf(2001, 2, 29, 0, 0, 0)},  {"1900-02-29", orvane::timeOf(1900, 2, 29, 12, 0, 0)},
        {"2023-04-31", orvane::timeOf(2023, 4, 31, 0, 0, 0)},  {"2023-01-32", orvane::timeOf(2023, 1, 32, 0, 0, 0)},
        {"2023-13-01", orvane::timeOf(2023, 13, 1, 0, 0, 0)},  {"2023-00-10", orvane::timeOf(2023, 0, 10, 0, 0, 0)},
        {"2023-05-00", orvane::timeOf(2023, 5, 0, 0, 0, 0)},   {"hour 24", orvane::timeOf(2023, 5, 5, 24, 0, 0)},
        {"minute 60", orvane::timeOf(2023, 5, 5, 0, 60, 0)},   {"second 60", orvane::timeOf(2023, 5, 5, 0, 0, 60)},
        {"0099-12-31", orvane::timeOf(99, 12, 31, 0, 0, 0)},   {"10000-01-01", orvane::timeOf(10000, 1, 1, 0, 0, 0)},
        {"year 0", orvane::timeOf(0, 1, 1, 0, 0, 0)},          {"9999-12-32", orvane::timeOf(9999, 12, 32, 0, 0, 0)},
        {"0100-02-29", orvane::timeOf(100, 2, 29, 0, 0, 0)},   {"1899-12-32", orvane::timeOf(1899, 12, 32, 0, 0, 0)},
    };
    int acceptedByPlatform = 0;
    for (const Case& c : cases) {
        ++checks;
        ::SYSTEMTIME input = orvane::win32::toWindows(c.time);
        double theirs = 0.0;
        const bool accepted = SystemTimeToVariantTime(&input, &theirs) != 0;
        if (accepted) {
            ++acceptedByPlatform;
            ::SYSTEMTIME back{};
            const bool readable = VariantTimeToSystemTime(theirs, &back) != 0;
            std::printf("note: oleaut32 accepts %s as %.17g (%s %04u-%02u-%02u %02u:%02u:%02u)\n", c.what, theirs,
                        readable ? "reads back as" : "unreadable", back.wYear, back.wMonth, back.wDay, back.wHour,
                        back.wMinute, back.wSecond);
        }
        if (CalendarDate::fromSystemTime(c.time).status != CalendarDate::invalid) fail("ours accepts", c.what);
    }
    std::printf("oleaut32 accepted %d of %d times that name no instant; ours rejected all it should\n",
                acceptedByPlatform, static_cast<int>(sizeof cases / sizeof cases[0]));
}

}  // namespace

int main() {
    everyDay();
    rangeEndsAndDayZero();
    instantsThatDoNotExist();
    std::printf("day counts of real instants: %lld equal, %lld equal but for the last bits\n",
                static_cast<long long>(valuesEqual), static_cast<long long>(valuesWithinRounding));
    for (const auto& [kind, count] : failuresByKind) std::printf("%d mismatches: %s\n", count, kind.c_str());
    std::printf("%lld comparisons, %d mismatches\n", static_cast<long long>(checks), failures);
    return failures == 0 ? 0 : 1;
}
