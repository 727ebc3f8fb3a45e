#pragma once
// Time: the two clocks as broken-down records and the millisecond tick count.

#include <cstdint>

#include "platform/types.h"

namespace orvane::platform {

SYSTEMTIME systemTime();  // GetSystemTime: UTC, milliseconds included
SYSTEMTIME localTime();   // GetLocalTime
uint64_t tickCount();     // GetTickCount64: milliseconds since an arbitrary start

}  // namespace orvane::platform
