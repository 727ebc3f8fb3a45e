// The two drawing calls of the panels: a rectangle or a text on the frame's
// memory context, a failure marking the frame failed.
#include "platform/draw.h"
#include "screen/frame_context.h"

namespace orvane {

bool drawPanelRectangle(FrameContext& frame, int32_t left, int32_t top, int32_t right,
                        int32_t bottom) {
    if (platform::drawRectangle(frame.memoryDC, left, top, right, bottom) == 1) return true;
    markFrameFailed(frame, FrameFailure::draw);
    return false;
}

bool drawPanelText(FrameContext& frame, int32_t x, int32_t y, std::u16string_view text) {
    if (platform::drawText(frame.memoryDC, x, y, text) == 1) return true;
    markFrameFailed(frame, FrameFailure::draw);
    return false;
}

}  // namespace orvane
