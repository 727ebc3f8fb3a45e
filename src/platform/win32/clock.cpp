// The Windows program's clocks.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/clock.h"
#include "platform/win32/system_time.h"

namespace orvane::platform {

using win32::fromWindows;

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
