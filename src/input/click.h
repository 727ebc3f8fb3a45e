#pragma once
// handleClick: what a release of the left button does, by where it happened.

#include <cstdint>

#include "platform/types.h"

namespace orvane {

// `packedPosition` is the lParam of the release: x in bits 0-15 and y in bits
// 16-31, each a signed 16-bit client coordinate. Returns the drawn frame's
// result, or 0 when no frame was drawn.
intptr_t handleClick(WindowHandle window, intptr_t packedPosition);

}  // namespace orvane
