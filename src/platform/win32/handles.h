#pragma once
// What every file of the Windows backend shares: the conversions between the
// seam's handle types and the Win32 handles they carry, between the program's
// UTF-16 strings and the W calls' wide strings, and owning handles that give
// back what the backend holds. Only src/platform/win32/ includes this.

#include <windows.h>

#include <cwchar>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

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
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");

// The terminated wide text of a string, for a call that takes a path or a
// name. Only whole strings: a view need not end in a terminator.
inline const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// A view's units, for a call that takes a pointer and a count.
inline const wchar_t* wideUnits(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }

inline std::wstring wideCopy(std::u16string_view text) { return {wideUnits(text), text.size()}; }

inline std::u16string fromWide(const wchar_t* text, size_t length) {
    return {reinterpret_cast<const char16_t*>(text), length};
}
inline std::u16string fromWide(const wchar_t* text) { return fromWide(text, std::wcslen(text)); }
inline std::u16string fromWide(const std::wstring& text) { return fromWide(text.data(), text.size()); }

// Owning handles: each gives its object back when it goes.
struct MemoryContextRelease {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using OwnedMemoryContext = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryContextRelease>;

struct FontRelease {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontRelease>;

// A folder search (FindFirstFileW); only a handle that is not
// INVALID_HANDLE_VALUE is ever held.
struct SearchRelease {
    void operator()(HANDLE search) const { FindClose(search); }
};
using OwnedSearch = std::unique_ptr<void, SearchRelease>;

}  // namespace orvane::platform::win32
