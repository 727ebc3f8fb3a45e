// The working date: weekday word and big day number in a box, with the
// previous-day and next-day arrows on either side.
#include "geometry/window_geometry.h"
#include "platform/draw.h"
#include "screen/panels.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane {

namespace {
using namespace geometry;
}  // namespace

void drawWorkingDatePanel(FrameContext& frame) {
    const SYSTEMTIME& date = appState.workingDate;
    // The outer box holds the day buttons in its side strips; the inner box
    // frames the weekday and the day number.
    drawPanelRectangle(frame, previousDayLeft, dayButtonsTop, nextDayLeft + buttonWidth, dayButtonsBottom);
    drawPanelRectangle(frame, previousDayLeft + buttonWidth, dayButtonsTop, nextDayLeft, dayButtonsBottom);
    drawPanelText(frame, workingDateTextLeft, weekdayTextTop, dayOfWeekWord(date.wDayOfWeek));

    frame.largeFont = platform::createFont(largeFontHeight, appState.fontCharSet);
    const GdiObject replaced = platform::selectObject(frame.memoryDC, frame.largeFont);
    drawPanelText(frame, workingDateTextLeft, dayNumberTop, twoDigitText(date.wDay));
    platform::selectObject(frame.memoryDC, replaced);

    drawPanelText(frame, previousDayLeft + arrowIndent, dayNumberTop, u"\u02C2");
    drawPanelText(frame, nextDayLeft + arrowIndent, dayNumberTop, u"\u02C3");
}

}  // namespace orvane
