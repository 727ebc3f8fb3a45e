#pragma once
// Conversions between the Windows SYSTEMTIME and the program's own record of
// the same fields. Include after windows.h.
#include "platform/types.h"

namespace orvane::win32 {

inline orvane::SYSTEMTIME fromWindows(const ::SYSTEMTIME& t) {
    return orvane::SYSTEMTIME{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay,
                              t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

inline ::SYSTEMTIME toWindows(const orvane::SYSTEMTIME& t) {
    return ::SYSTEMTIME{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay,
                        t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace orvane::win32
