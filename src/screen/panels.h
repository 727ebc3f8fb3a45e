#pragma once
// The panel steps of a frame, called by drawFrame in this order.

#include "screen/frame_context.h"

namespace orvane {

// The file list and its scroll track (x 0 to 239). Lists currentFolder into
// appState.fileEntries; when a file waits to be opened it opens it instead of
// drawing rows.
void drawFileListPanel(FrameContext& frame);
// Hands appState.pendingFile to the shell, with currentFolder as its working
// folder, and clears it.
void openPendingFile(FrameContext& frame);

// The London (UTC) and local time lines.
void drawClockPanel(FrameContext& frame);
// The working date's weekday and day number with the day arrows. Creates
// frame.largeFont, which drawFrame deletes after the date buttons.
void drawWorkingDatePanel(FrameContext& frame);
// Weekday heads, week boxes and the day numbers of the working month.
void drawMonthCalendar(FrameContext& frame);
// Month and year of the working date, their arrows, and the ±10, ±100, ±1000
// year buttons.
void drawDateButtons(FrameContext& frame);
// "Frame rate 0042, current frame 0007." at the bottom right.
void drawFrameRateLine(FrameContext& frame);

}  // namespace orvane
