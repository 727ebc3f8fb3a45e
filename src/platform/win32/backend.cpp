// The Windows backend's start and end: every file's state, in order.
#include "platform/win32/backend.h"

#include "platform/win32/glyph_fallback.h"
#include "platform/win32/paths.h"

namespace orvane::platform::win32 {

void startBackend() {
    startVolumeRoots();
    startGlyphFallback();
    startWindowing();
}

void endBackend() {
    endWindowing();
    endGlyphFallback();
    endVolumeRoots();
}

}  // namespace orvane::platform::win32
