// The drawing calls of the frame, passed straight to GDI. Each returns what
// its GDI counterpart returns, so the frame judges success as on Windows. A
// text goes through TextOutW with a fallback face for any character the
// selected font lacks (glyph_fallback.h).

#include <windows.h>

#include "platform/draw.h"
#include "platform/win32/glyph_fallback.h"
#include "platform/win32/handles.h"

namespace orvane::platform {

using namespace win32;

DeviceContext getWindowContext(WindowHandle window) { return fromHdc(GetDC(toHwnd(window))); }

int releaseWindowContext(WindowHandle window, DeviceContext dc) {
    return ReleaseDC(toHwnd(window), toHdc(dc));
}

DeviceContext createMemoryContext(DeviceContext like) {
    return fromHdc(CreateCompatibleDC(toHdc(like)));
}

int deleteMemoryContext(DeviceContext dc) { return DeleteDC(toHdc(dc)); }

Rect clientRect(WindowHandle window) {
    RECT rect{};
    GetClientRect(toHwnd(window), &rect);
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

GdiObject createCanvas(DeviceContext like, int32_t width, int32_t height) {
    return fromGdi(CreateCompatibleBitmap(toHdc(like), width, height));
}

GdiObject grayBrush() { return fromGdi(GetStockObject(GRAY_BRUSH)); }

int fillRect(DeviceContext dc, const Rect& rect, GdiObject brush) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    return FillRect(toHdc(dc), &area, static_cast<HBRUSH>(toGdi(brush)));
}

int setTransparentBackground(DeviceContext dc) { return SetBkMode(toHdc(dc), TRANSPARENT); }

uint32_t setTextColor(DeviceContext dc, uint32_t rgb) {
    return SetTextColor(toHdc(dc), static_cast<COLORREF>(rgb));
}

GdiObject createFont(int32_t height, uint8_t charSet) {
    LOGFONTW font{};  // every field zero: default width, weight, face and precision
    font.lfHeight = height;
    font.lfCharSet = charSet;
    return fromGdi(CreateFontIndirectW(&font));
}

GdiObject selectObject(DeviceContext dc, GdiObject object) {
    return fromGdi(SelectObject(toHdc(dc), toGdi(object)));
}

int drawRectangle(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return Rectangle(toHdc(dc), left, top, right, bottom);
}

int drawText(DeviceContext dc, int32_t x, int32_t y, std::u16string_view text) {
    return textOutWithFallback(toHdc(dc), x, y, text);
}

int copyBlock(DeviceContext target, int32_t x, int32_t y, int32_t width, int32_t height,
              DeviceContext source, int32_t sourceX, int32_t sourceY) {
    return BitBlt(toHdc(target), x, y, width, height, toHdc(source), sourceX, sourceY, SRCCOPY);
}

int deleteObject(GdiObject object) {
    forgetFont(toGdi(object));
    return DeleteObject(toGdi(object));
}

}  // namespace orvane::platform
