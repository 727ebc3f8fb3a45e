#pragma once
// FrameContext: what one frame holds while it draws, handed to every panel.
// It lives for one call of drawFrame; nothing in it survives the frame.

#include <cstdint>
#include <string_view>

#include "locale/string_table.h"
#include "platform/types.h"

namespace orvane {

struct FrameContext {
    WindowHandle window{};
    DeviceContext windowDC{};  // the window's drawing context
    DeviceContext memoryDC{};  // everything is drawn here
    GdiObject canvas{};        // client-sized bitmap selected into memoryDC
    int32_t clientLeft = 0;
    int32_t clientTop = 0;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    GdiObject background{};    // the stock gray brush
    GdiObject savedBitmap{};   // what memoryDC held before the frame's own objects
    GdiObject savedBrush{};
    GdiObject savedFont{};
    GdiObject smallFont{};     // 16 pixels: every text but three
    GdiObject largeFont{};     // 64 pixels: the day number, the month and the year
    int32_t listOriginX = 0;
    int32_t listOriginY = 0;
    bool frameFailed = false;
};

// Marks the frame failed and writes the failure's text to the diagnostic
// channel, at most once a second for each text.
void markFrameFailed(FrameContext& frame, FrameFailure failure);

// Forgets when each failure text was last written, so the next failure of
// every kind is written at once.
void forgetReportedFailures();

// A rectangle or a text of a panel. True when the call succeeded; otherwise
// the frame is marked failed with the drawing message.
bool drawPanelRectangle(FrameContext& frame, int32_t left, int32_t top, int32_t right,
                        int32_t bottom);
bool drawPanelText(FrameContext& frame, int32_t x, int32_t y, std::u16string_view text);

}  // namespace orvane
