// The Windows program's clocks.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/clock.h"

namespace orvane::platform {

namespace {

orvane::SYSTEMTIME fromWindows(const ::SYSTEMTIME& time) {
    orvane::SYSTEMTIME result;
    result.wYear = time.wYear;
    result.wMonth = time.wMonth;
    result.wDayOfWeek = time.wDayOfWeek;
    result.wDay = time.wDay;
    result.wHour = time.wHour;
    result.wMinute = time.wMinute;
    result.wSecond = time.wSecond;
    result.wMilliseconds = time.wMilliseconds;
    return result;
}

}  // namespace

orvane::SYSTEMTIME systemTime() {
    ::SYSTEMTIME now{};
    GetSystemTime(&now);
    return fromWindows(now);
}

orvane::SYSTEMTIME localTime() {
    ::SYSTEMTIME now{};
    GetLocalTime(&now);
    return fromWindows(now);
}

uint64_t tickCount() { return GetTickCount64(); }

}  // namespace orvane::platform
