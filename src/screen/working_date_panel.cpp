// The working date: weekday word and big day number in a box, with the
// previous-day and next-day arrows on either side.
#include "platform/draw.h"
#include "screen/layout.h"
#include "screen/panels.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane {

namespace {
using namespace layout;
constexpr int32_t largeFontHeight = 64;
}  // namespace

void drawWorkingDatePanel(FrameContext& frame) {
    const SYSTEMTIME& date = appState.workingDate;
    // The outer box holds the day buttons in its side strips; the inner box
    // frames the weekday and the day number.
    constexpr int32_t bottom = dayButtonsTop + dayButtonHeight;
    drawPanelRectangle(frame, previousDayLeft, dayButtonsTop, nextDayLeft + buttonWidth, bottom);
    drawPanelRectangle(frame, previousDayLeft + buttonWidth, dayButtonsTop, nextDayLeft, bottom);
    drawPanelText(frame, 300, 164, dayOfWeekWord(date.wDayOfWeek));

    frame.largeFont = platform::createFont(largeFontHeight, appState.fontCharSet);
    const GdiObject replaced = platform::selectObject(frame.memoryDC, frame.largeFont);
    drawPanelText(frame, 300, 194, twoDigitText(date.wDay));
    platform::selectObject(frame.memoryDC, replaced);

    drawPanelText(frame, 260, 194, u"\u02C2");
    drawPanelText(frame, 430, 194, u"\u02C3");
}

}  // namespace orvane
