// Month and year of the working date with their arrow buttons, and the
// ±10, ±100, ±1000 year buttons beside the year.
#include "state/app_state.h"
#include "platform/draw.h"
#include "screen/panels.h"
#include "standards/standard_words.h"

namespace orvane {

namespace {

// One pair of stacked year buttons: the plus box over the minus box.
struct YearButtons {
    int32_t left;
    int32_t textX;
    std::u16string_view plus;
    std::u16string_view minus;
};

constexpr YearButtons yearButtons[] = {
    {572, 579, u"+10", u"-10"},
    {614, 621, u"+100", u"-100"},
    {656, 658, u"+1000", u"-1000"},
};

constexpr int32_t buttonWidth = 40;
constexpr std::u16string_view upArrow = u"\u02C4";
constexpr std::u16string_view downArrow = u"\u02C5";

}  // namespace

void drawDateButtons(FrameContext& frame) {
    const int32_t d = lowerPanelShift();
    const SYSTEMTIME& date = appState.workingDate;

    platform::selectObject(frame.memoryDC, frame.largeFont);
    drawPanelText(frame, 250, 546 + d, monthWord(date.wMonth));
    drawPanelText(frame, 250, 630 + d, numberText(date.wYear));
    platform::selectObject(frame.memoryDC, frame.smallFont);

    drawPanelRectangle(frame, 530, 546 + d, 570, 576 + d);  // next month
    drawPanelRectangle(frame, 530, 581 + d, 570, 611 + d);  // previous month
    drawPanelText(frame, 540, 556 + d, upArrow);
    drawPanelText(frame, 540, 586 + d, downArrow);

    drawPanelRectangle(frame, 530, 630 + d, 570, 660 + d);  // next year
    drawPanelRectangle(frame, 530, 665 + d, 570, 695 + d);  // previous year
    drawPanelText(frame, 540, 635 + d, upArrow);
    drawPanelText(frame, 540, 670 + d, downArrow);

    for (const YearButtons& buttons : yearButtons) {
        drawPanelRectangle(frame, buttons.left, 630 + d, buttons.left + buttonWidth, 660 + d);
        drawPanelRectangle(frame, buttons.left, 665 + d, buttons.left + buttonWidth, 695 + d);
        drawPanelText(frame, buttons.textX, 635 + d, buttons.plus);
        drawPanelText(frame, buttons.textX, 670 + d, buttons.minus);
    }
}

}  // namespace orvane
