// The frame-rate line at the bottom right: "Frame rate 0042, current frame 0007."
#include <cstdint>
#include <string>

#include "geometry/window_geometry.h"
#include "platform/draw.h"
#include "screen/panels.h"
#include "state/app_state.h"

namespace orvane {

namespace {

// Decimal digits with "0" put in front up to four characters; a longer
// number is left whole.
std::u16string fourDigitText(int64_t value) {
    std::u16string digits;
    const bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits.insert(digits.begin(), u'-');
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), u'0');
    return digits;
}

}  // namespace

void drawFrameRateLine(FrameContext& frame) {
    std::u16string line = appState.frameRateLabel;
    line += fourDigitText(appState.framesPerSecond);
    line += appState.currentFrameLabel;
    line += fourDigitText(appState.frameCounter);
    line += appState.fullStop;

    const Rect client = platform::clientRect(frame.window);
    const auto n = static_cast<int64_t>(line.size());
    drawPanelText(frame, saturateToInt32(int64_t{client.right} - geometry::frameRateCharacterWidth * n),
                  saturateToInt32(int64_t{client.bottom} - geometry::frameRateLineRise), line);
}

}  // namespace orvane
