// drawFrame: set-up, the panels in order, the copy to the window, release.
#include "screen/frame.h"

#include "geometry/window_geometry.h"
#include "platform/draw.h"
#include "screen/frame_context.h"
#include "screen/panels.h"
#include "standards/current_folder.h"
#include "state/app_state.h"

namespace orvane {

namespace {

constexpr uint32_t black = 0x000000;

// Set-up of the memory context, the panels, the copy and the release of the
// frame's own objects, for a frame whose canvas was made.
void drawOnCanvas(FrameContext& frame) {
    frame.savedBitmap = platform::selectObject(frame.memoryDC, frame.canvas);
    frame.background = platform::grayBrush();
    platform::fillRect(frame.memoryDC,
                       Rect{frame.clientLeft, frame.clientTop, frame.clientWidth, frame.clientHeight},
                       frame.background);
    platform::setTransparentBackground(frame.memoryDC);
    frame.savedBrush = platform::selectObject(frame.memoryDC, frame.background);
    platform::setTextColor(frame.memoryDC, black);

    frame.smallFont = platform::createFont(geometry::smallFontHeight, appState.fontCharSet);
    frame.savedFont = platform::selectObject(frame.memoryDC, frame.smallFont);

    drawFileListPanel(frame);
    drawClockPanel(frame);
    drawWorkingDatePanel(frame);  // makes largeFont
    drawMonthCalendar(frame);
    drawDateButtons(frame);

    if (platform::deleteObject(frame.largeFont) != 1) {
        markFrameFailed(frame, FrameFailure::deleteFont);
    }
    frame.largeFont = GdiObject{};

    drawFrameRateLine(frame);

    platform::selectObject(frame.memoryDC, frame.savedFont);
    platform::selectObject(frame.memoryDC, frame.savedBrush);
    if (platform::copyBlock(frame.windowDC, frame.clientLeft, frame.clientTop, frame.clientWidth,
                            frame.clientHeight, frame.memoryDC, 0, 0) != 1) {
        markFrameFailed(frame, FrameFailure::copyFromMemory);
    }
    if (platform::deleteObject(frame.smallFont) != 1) {
        markFrameFailed(frame, FrameFailure::deleteFont);
    }
    // The gray brush is a stock object: deleting it has no effect, but a
    // failure is still reported like any other release.
    if (platform::deleteObject(frame.background) != 1) {
        markFrameFailed(frame, FrameFailure::removeBrush);
    }
    platform::selectObject(frame.memoryDC, frame.savedBitmap);
    if (platform::deleteObject(frame.canvas) != 1) {
        markFrameFailed(frame, FrameFailure::deleteCanvas);
    }
    ++appState.frameCounter;
}

}  // namespace

int32_t drawFrame(WindowHandle window, int32_t listOriginX, int32_t listOriginY) {
    // Frames never nest: a message dispatched while a frame runs (the shell
    // open can dispatch some) must not start a second one, or that one would
    // end the first one's guard early.
    if (appState.frameInProgress) return 0;
    appState.frameInProgress = true;

    // Relative names (currentFolder, pendingFile, the standards folders)
    // resolve from the program's folder; it is usually current already.
    makeFolderCurrent(appState.programFolder);

    FrameContext frame;
    frame.window = window;
    frame.listOriginX = listOriginX;
    frame.listOriginY = listOriginY;

    frame.windowDC = platform::getWindowContext(window);
    if (!frame.windowDC) {
        markFrameFailed(frame, FrameFailure::getWindowContext);
    } else {
        frame.memoryDC = platform::createMemoryContext(frame.windowDC);
        if (!frame.memoryDC) {
            markFrameFailed(frame, FrameFailure::getMemoryContext);
        } else {
            const Rect client = platform::clientRect(window);
            frame.clientLeft = client.left;
            frame.clientTop = client.top;
            // A client rectangle is at most a few thousand pixels each way;
            // the width and height are taken in 64 bits only so that a
            // nonsensical rectangle cannot overflow.
            frame.clientWidth = static_cast<int32_t>(static_cast<int64_t>(client.right) - client.left);
            frame.clientHeight = static_cast<int32_t>(static_cast<int64_t>(client.bottom) - client.top);

            // Without a canvas nothing is drawn, copied or counted; this alone
            // does not fail the frame.
            frame.canvas = platform::createCanvas(frame.windowDC, frame.clientWidth, frame.clientHeight);
            if (frame.canvas) drawOnCanvas(frame);

            if (platform::deleteMemoryContext(frame.memoryDC) != 1) {
                markFrameFailed(frame, FrameFailure::deleteMemoryContext);
            }
        }
        if (platform::releaseWindowContext(window, frame.windowDC) != 1) {
            markFrameFailed(frame, FrameFailure::releaseWindowContext);
        }
    }

    appState.frameInProgress = false;
    return frame.frameFailed ? 1 : 0;
}

}  // namespace orvane
