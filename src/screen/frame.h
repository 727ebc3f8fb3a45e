#pragma once
// drawFrame: one complete image of the window, drawn off-screen and copied to
// the window in one block transfer.

#include <cstdint>

#include "platform/types.h"

namespace orvane {

// Draws one frame. Returns 1 when any drawing or release call failed, else 0.
// Adds 1 to appState.frameCounter when the canvas was made; frameInProgress
// is set for exactly the length of the call. A call made while a frame is
// already in progress draws nothing and returns 0.
int32_t drawFrame(WindowHandle window, int32_t listOriginX, int32_t listOriginY);

}  // namespace orvane
