// The Linux program's clocks: UTC and local time as broken-down records with
// milliseconds, and a monotonic millisecond tick count.
#include <ctime>

#include "platform/clock.h"

namespace orvane::platform {

namespace {

SYSTEMTIME fromBrokenDown(const tm& fields, long nanoseconds) {
    SYSTEMTIME time;
    time.wYear = static_cast<uint16_t>(fields.tm_year + 1900);
    time.wMonth = static_cast<uint16_t>(fields.tm_mon + 1);
    time.wDayOfWeek = static_cast<uint16_t>(fields.tm_wday);
    time.wDay = static_cast<uint16_t>(fields.tm_mday);
    time.wHour = static_cast<uint16_t>(fields.tm_hour);
    time.wMinute = static_cast<uint16_t>(fields.tm_min);
    // A leap second (60) is written as 59, the largest second the record holds.
    time.wSecond = static_cast<uint16_t>(fields.tm_sec > 59 ? 59 : fields.tm_sec);
    time.wMilliseconds = static_cast<uint16_t>(nanoseconds / 1000000);
    return time;
}

}  // namespace

SYSTEMTIME systemTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm fields{};
    gmtime_r(&now.tv_sec, &fields);
    return fromBrokenDown(fields, now.tv_nsec);
}

SYSTEMTIME localTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm fields{};
    localtime_r(&now.tv_sec, &fields);
    return fromBrokenDown(fields, now.tv_nsec);
}

uint64_t tickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

}  // namespace orvane::platform
