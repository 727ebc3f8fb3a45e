// The clock lines: London (plain UTC, no daylight-saving rule) and local time.
#include "geometry/window_geometry.h"
#include "platform/clock.h"
#include "screen/panels.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane {

namespace {

std::u16string clockLine(const SYSTEMTIME& time) {
    return dateTimeText(time.wYear, time.wMonth, time.wDay, time.wDayOfWeek, time.wHour,
                        time.wMinute, time.wSecond);
}

}  // namespace

void drawClockPanel(FrameContext& frame) {
    const std::u16string london = clockLine(platform::systemTime());
    drawPanelText(frame, geometry::clockLeft, geometry::clockLineTop(0), appState.londonTimeLabel);
    drawPanelText(frame, geometry::clockLeft, geometry::clockLineTop(1), london);

    const std::u16string local = clockLine(platform::localTime());
    drawPanelText(frame, geometry::clockLeft, geometry::clockLineTop(2), appState.localTimeLabel);
    drawPanelText(frame, geometry::clockLeft, geometry::clockLineTop(3), local);
}

}  // namespace orvane
