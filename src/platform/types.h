#pragma once
// Small value types that cross the platform seam. Code outside src/platform/
// sees the operating system only through these and the functions declared
// beside them; each executable links exactly one backend that defines them.

#include <cstdint>

namespace orvane {

// Broken-down time, laid out like the Windows record of the same name.
// wDayOfWeek counts 0 = Sunday to 6 = Saturday.
struct SYSTEMTIME {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
    friend bool operator==(const SYSTEMTIME&, const SYSTEMTIME&) = default;
};

// Opaque handles. A null value (nullptr) means "none" or "failed".
struct WindowHandle {
    void* value = nullptr;
    explicit operator bool() const { return value != nullptr; }
    friend bool operator==(WindowHandle, WindowHandle) = default;
};
struct DeviceContext {
    void* value = nullptr;
    explicit operator bool() const { return value != nullptr; }
    friend bool operator==(DeviceContext, DeviceContext) = default;
};
// A drawing object: canvas bitmap, font or brush.
struct GdiObject {
    void* value = nullptr;
    explicit operator bool() const { return value != nullptr; }
    friend bool operator==(GdiObject, GdiObject) = default;
};
struct CursorHandle {
    void* value = nullptr;
    explicit operator bool() const { return value != nullptr; }
    friend bool operator==(CursorHandle, CursorHandle) = default;
};

// Left, top, right, bottom; right and bottom excluded.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

}  // namespace orvane
