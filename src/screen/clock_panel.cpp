// The clock lines: London (plain UTC, no daylight-saving rule) and local time.
#include "platform/clock.h"
#include "screen/panels.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane {

namespace {

constexpr int32_t clockX = 250;

std::u16string clockLine(const SYSTEMTIME& time) {
    return dateTimeText(time.wYear, time.wMonth, time.wDay, time.wDayOfWeek, time.wHour,
                        time.wMinute, time.wSecond);
}

}  // namespace

void drawClockPanel(FrameContext& frame) {
    const std::u16string london = clockLine(platform::systemTime());
    drawPanelText(frame, clockX, 16, appState.londonTimeLabel);
    drawPanelText(frame, clockX, 46, london);

    const std::u16string local = clockLine(platform::localTime());
    drawPanelText(frame, clockX, 76, appState.localTimeLabel);
    drawPanelText(frame, clockX, 106, local);
}

}  // namespace orvane
