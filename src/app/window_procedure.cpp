// The window procedure: destruction ends the program, painting draws a frame,
// background erasing is suppressed, a drag on the scroll strip scrolls the
// file list, and a left-button release is handed to the click handler.
#include "app/window_procedure.h"

#include <cstdint>

#include "geometry/pixel_math.h"
#include "geometry/window_geometry.h"
#include "input/click.h"
#include "platform/window.h"
#include "screen/frame.h"
#include "state/app_state.h"

namespace orvane {

namespace {

intptr_t drawFrameNow(WindowHandle window) {
    return drawFrame(window, appState.listOriginX, appState.listOriginY);
}

// With the left button held over the scroll strip, the vertical movement since
// the previous move message scrolls the list by as many pixels.
intptr_t dragScrollStrip(WindowHandle window, intptr_t lParam) {
    platform::setCursor(appState.arrowCursor);  // the class has no cursor of its own

    const auto [x, y] = unpackPoint(lParam);

    intptr_t result = 0;
    const bool overStrip = x >= geometry::scrollStripLeft && x <= geometry::scrollStripRight;
    if (overStrip && appState.leftButtonDown) {
        // Held at the limits of a 32-bit offset instead of wrapping: a long
        // drag can push the offset as far as the user likes.
        appState.scrollOffset = saturateToInt32(int64_t{appState.scrollOffset} + y - appState.lastMouseY);
        if (!appState.frameInProgress) result = drawFrameNow(window);
    }
    appState.lastMouseY = y;
    return result;
}

}  // namespace

intptr_t windowProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case messageDestroy:
        platform::postQuitMessage(0);
        return 0;
    case messageEraseBackground:
        // Nothing is erased: every frame paints every pixel.
        appState.listOriginX = geometry::listOriginX;
        appState.listOriginY = geometry::listOriginY;
        return 0;
    case messagePaint: {
        const intptr_t validated = platform::defaultWindowProcedure(window, message, wParam, lParam);
        if (validated != 0) return validated;
        if (appState.frameInProgress) return 0;
        return drawFrameNow(window);
    }
    case messageMouseMove:
        return dragScrollStrip(window, lParam);
    case messageLeftButtonDown:
        appState.leftButtonDown = true;
        return 0;
    case messageLeftButtonUp: {
        const intptr_t result = handleClick(window, lParam);
        appState.leftButtonDown = false;
        return result;
    }
    default:
        return platform::defaultWindowProcedure(window, message, wParam, lParam);
    }
}

}  // namespace orvane
