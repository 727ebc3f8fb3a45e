#pragma once
// Drawing, shaped after GDI. Each call reports its result the way its GDI
// counterpart does (named beside it), so the frame can tell success from
// failure the same way on every backend: a handle-making call fails when it
// returns a null handle, a drawing or release call succeeds when it returns 1.

#include <cstdint>
#include <string_view>

#include "platform/types.h"

namespace orvane::platform {

DeviceContext getWindowContext(WindowHandle window);              // GetDC
int releaseWindowContext(WindowHandle window, DeviceContext dc);  // ReleaseDC
DeviceContext createMemoryContext(DeviceContext like);            // CreateCompatibleDC
int deleteMemoryContext(DeviceContext dc);                        // DeleteDC
Rect clientRect(WindowHandle window);                             // GetClientRect
GdiObject createCanvas(DeviceContext like, int32_t width, int32_t height);  // CreateCompatibleBitmap
GdiObject grayBrush();                                            // GetStockObject(GRAY_BRUSH)
int fillRect(DeviceContext dc, const Rect& rect, GdiObject brush);  // FillRect
int setTransparentBackground(DeviceContext dc);                   // SetBkMode(TRANSPARENT): previous mode
uint32_t setTextColor(DeviceContext dc, uint32_t rgb);            // SetTextColor: previous colour
// CreateFontIndirectW with every LOGFONTW field zero except lfHeight and lfCharSet.
GdiObject createFont(int32_t height, uint8_t charSet);
GdiObject selectObject(DeviceContext dc, GdiObject object);       // SelectObject: what was selected
int drawRectangle(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom);  // Rectangle
int drawText(DeviceContext dc, int32_t x, int32_t y, std::u16string_view text);                // TextOutW
// BitBlt(target, x, y, width, height, source, sourceX, sourceY, SRCCOPY)
int copyBlock(DeviceContext target, int32_t x, int32_t y, int32_t width, int32_t height,
              DeviceContext source, int32_t sourceX, int32_t sourceY);
int deleteObject(GdiObject object);                               // DeleteObject

}  // namespace orvane::platform
