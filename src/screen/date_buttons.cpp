// Month and year of the working date with their arrow buttons, and the
// ±10, ±100, ±1000 year buttons beside the year.
#include <iterator>

#include "platform/draw.h"
#include "screen/layout.h"
#include "screen/panels.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane {

namespace {

using namespace layout;

// The text of each column of year buttons (the ±1 column has arrows): the plus
// box over the minus box.
struct YearButtonTexts {
    int32_t textX;
    std::u16string_view plus;
    std::u16string_view minus;
};

constexpr YearButtonTexts yearButtonTexts[] = {
    {579, u"+10", u"-10"},
    {621, u"+100", u"-100"},
    {658, u"+1000", u"-1000"},
};

constexpr int32_t arrowX = monthButtonsLeft + 10;
constexpr std::u16string_view upArrow = u"\u02C4";
constexpr std::u16string_view downArrow = u"\u02C5";

// One button's box, moved down by `shift`.
void drawButton(FrameContext& frame, int32_t left, int32_t top, int32_t height, int32_t shift) {
    drawPanelRectangle(frame, left, top + shift, left + buttonWidth, top + height + shift);
}

}  // namespace

void drawDateButtons(FrameContext& frame) {
    const int32_t d = lowerPanelShift();
    const SYSTEMTIME& date = appState.workingDate;

    platform::selectObject(frame.memoryDC, frame.largeFont);
    drawPanelText(frame, 250, 546 + d, monthWord(date.wMonth));
    drawPanelText(frame, 250, 630 + d, numberText(date.wYear));
    platform::selectObject(frame.memoryDC, frame.smallFont);

    drawButton(frame, monthButtonsLeft, nextMonthTop, monthButtonHeight, d);
    drawButton(frame, monthButtonsLeft, previousMonthTop, monthButtonHeight, d);
    drawPanelText(frame, arrowX, 556 + d, upArrow);
    drawPanelText(frame, arrowX, 586 + d, downArrow);

    drawButton(frame, yearButtonLefts[0], yearLaterTop, yearButtonHeight, d);
    drawButton(frame, yearButtonLefts[0], yearEarlierTop, yearButtonHeight, d);
    drawPanelText(frame, arrowX, 635 + d, upArrow);
    drawPanelText(frame, arrowX, 670 + d, downArrow);

    for (size_t i = 0; i < std::size(yearButtonTexts); ++i) {
        const int32_t left = yearButtonLefts[i + 1];
        drawButton(frame, left, yearLaterTop, yearButtonHeight, d);
        drawButton(frame, left, yearEarlierTop, yearButtonHeight, d);
        drawPanelText(frame, yearButtonTexts[i].textX, 635 + d, yearButtonTexts[i].plus);
        drawPanelText(frame, yearButtonTexts[i].textX, 670 + d, yearButtonTexts[i].minus);
    }
}

}  // namespace orvane
