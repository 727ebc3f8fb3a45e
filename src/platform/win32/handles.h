#pragma once
// Conversions between the seam's handle types and the Win32 handles they
// carry. Only the Win32 backend includes this.

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/types.h"

namespace orvane::platform::win32 {

inline HWND toHwnd(WindowHandle window) { return static_cast<HWND>(window.value); }
inline HDC toHdc(DeviceContext dc) { return static_cast<HDC>(dc.value); }
inline HGDIOBJ toGdi(GdiObject object) { return static_cast<HGDIOBJ>(object.value); }
inline HCURSOR toCursor(CursorHandle cursor) { return static_cast<HCURSOR>(cursor.value); }

inline WindowHandle fromHwnd(HWND window) { return WindowHandle{window}; }
inline DeviceContext fromHdc(HDC dc) { return DeviceContext{dc}; }
inline GdiObject fromGdi(HGDIOBJ object) { return GdiObject{object}; }

// char16_t and wchar_t are both UTF-16 code units on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline const wchar_t* wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

}  // namespace orvane::platform::win32
