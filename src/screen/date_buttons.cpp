// Month and year of the working date with their arrow buttons, and the
// ±10, ±100, ±1000 year buttons beside the year.
#include <iterator>

#include "geometry/window_geometry.h"
#include "platform/draw.h"
#include "screen/panels.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane {

namespace {

using namespace geometry;

// The texts of the year buttons after the ±1 column (which has arrows): the
// plus box over the minus box.
struct YearButtonTexts {
    std::u16string_view plus;
    std::u16string_view minus;
};

constexpr YearButtonTexts yearButtonTexts[] = {
    {u"+10", u"-10"},
    {u"+100", u"-100"},
    {u"+1000", u"-1000"},
};
static_assert(std::size(yearButtonTexts) == yearButtonTextLefts.size());

constexpr std::u16string_view upArrow = u"\u02C4";
constexpr std::u16string_view downArrow = u"\u02C5";

// One button's box, moved down by `shift`.
void drawButton(FrameContext& frame, int32_t left, int32_t top, int32_t height, int32_t shift) {
    drawPanelRectangle(frame, left, top + shift, left + buttonWidth, top + height + shift);
}

}  // namespace

void drawDateButtons(FrameContext& frame) {
    const int32_t d = lowerPanelShift(appState.maxDayNameLength);
    const SYSTEMTIME& date = appState.workingDate;

    platform::selectObject(frame.memoryDC, frame.largeFont);
    drawPanelText(frame, dateTextLeft, monthTextTop + d, monthWord(date.wMonth));
    drawPanelText(frame, dateTextLeft, yearTextTop + d, numberText(date.wYear));
    platform::selectObject(frame.memoryDC, frame.smallFont);

    drawButton(frame, monthButtonsLeft, nextMonthTop, monthButtonHeight, d);
    drawButton(frame, monthButtonsLeft, previousMonthTop, monthButtonHeight, d);
    drawPanelText(frame, buttonArrowLeft, nextMonthArrowTop + d, upArrow);
    drawPanelText(frame, buttonArrowLeft, previousMonthArrowTop + d, downArrow);

    drawButton(frame, yearButtonLefts[0], yearLaterTop, yearButtonHeight, d);
    drawButton(frame, yearButtonLefts[0], yearEarlierTop, yearButtonHeight, d);
    drawPanelText(frame, buttonArrowLeft, yearLaterTextTop + d, upArrow);
    drawPanelText(frame, buttonArrowLeft, yearEarlierTextTop + d, downArrow);

    for (size_t i = 0; i < std::size(yearButtonTexts); ++i) {
        const int32_t left = yearButtonLefts[i + 1];
        drawButton(frame, left, yearLaterTop, yearButtonHeight, d);
        drawButton(frame, left, yearEarlierTop, yearButtonHeight, d);
        drawPanelText(frame, yearButtonTextLefts[i], yearLaterTextTop + d, yearButtonTexts[i].plus);
        drawPanelText(frame, yearButtonTextLefts[i], yearEarlierTextTop + d, yearButtonTexts[i].minus);
    }
}

}  // namespace orvane
