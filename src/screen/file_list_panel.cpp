// The file list: the list frame, the scroll track, one boxed row per entry of
// currentFolder, and the deferred shell open of a clicked file.
#include <cstdint>
#include <string>

#include "geometry/window_geometry.h"
#include "platform/files.h"
#include "platform/path_join.h"
#include "platform/window.h"
#include "screen/panels.h"
#include "standards/directory_listing.h"
#include "state/app_state.h"

namespace orvane {

namespace {

using namespace geometry;

// Draws the rows of `listing`, the i-th at y = listOriginY + 30·i − scrollOffset.
// Positions are worked out in 64 bits: with any scroll offset and any number of
// entries they never overflow, and only rows inside the client area are drawn.
void drawRows(FrameContext& frame, const DirectoryListing& listing) {
    const int64_t top = frame.clientTop;
    const int64_t height = frame.clientHeight;
    const int32_t textX = saturateToInt32(int64_t{frame.listOriginX} + rowTextIndent);
    int64_t y = int64_t{frame.listOriginY} - appState.scrollOffset;
    for (const std::u16string& name : listing) {
        if (y - rowHalfBox >= top && y + rowHalfBox <= height) {
            if (!drawPanelRectangle(frame, listBoxLeft, static_cast<int32_t>(y - rowHalfBox), listRight,
                                    static_cast<int32_t>(y + rowHalfBox))) {
                return;
            }
        }
        if (y >= top && y <= height) {
            if (!drawPanelText(frame, textX, static_cast<int32_t>(y), name)) return;
        }
        y += rowPitch;
    }
}

// currentFolder as a full path, made whole from the program's folder as the
// listing resolves it. The shell is never given a relative path: it would
// resolve a bare name against the current folder (the program's) first, and
// open a file of the same name lying there instead of the one clicked.
// When the program's folder could not be read (it is empty), currentFolder
// is all there is.
std::u16string wholeCurrentFolder() { return joinPath(appState.programFolder, appState.currentFolder); }

}  // namespace

void drawFileListPanel(FrameContext& frame) {
    const int64_t scroll = appState.scrollOffset;
    // The list frame moves with the scroll offset; the scroll track does not.
    drawPanelRectangle(frame, listBoxLeft, saturateToInt32(int64_t{frame.clientTop} - scroll + listFrameInset),
                       listRight, saturateToInt32(int64_t{frame.clientHeight} - scroll - listFrameInset));
    drawPanelRectangle(frame, scrollTrackLeft, saturateToInt32(int64_t{frame.clientTop} + listFrameInset),
                       scrollStripRight, saturateToInt32(int64_t{frame.clientHeight} - listFrameInset));

    // The click hit test of the next frame walks this frame's listing.
    appState.fileEntries = listDirectory(appState.currentFolder);

    if (!appState.pendingFile.empty()) {
        openPendingFile(frame);
        return;
    }
    drawRows(frame, appState.fileEntries);
}

void openPendingFile(FrameContext& frame) {
    // The shell gets its own copies and pendingFile is cleared first: the
    // shell open may dispatch messages to the window, and a click handled
    // then may change currentFolder or choose the next file to open.
    const std::u16string file = appState.pendingFile;
    const std::u16string workingFolder = wholeCurrentFolder();
    appState.pendingFile.clear();

    // The probe looks at the file the shell is given, and its result neither
    // stops the open nor is reported.
    platform::probeFile(joinPath(workingFolder, file));
    platform::shellOpen(frame.window, file, workingFolder);
}

}  // namespace orvane
