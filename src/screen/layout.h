#pragma once
// The window's geometry, in client pixels: the file list, its scroll strip and
// rows, the date buttons' boxes and release bands, and the shift of everything
// below the calendar's weekday heads. The panels draw from it and the click
// handler and the window procedure hit-test with it, so the two cannot drift
// apart.

#include <array>
#include <cstdint>

#include "screen/pixel_math.h"
#include "state/app_state.h"

namespace orvane {

namespace layout {

// The file list takes x 0 to 199; its frame and row boxes end at the right edge.
constexpr int32_t listRight = 199;
// The scroll strip between the list and the date panels, x 200 to 239: a
// release there does nothing, a drag there scrolls. Its track is drawn one
// pixel inside it.
constexpr int32_t scrollStripLeft = 200;
constexpr int32_t scrollStripRight = 239;
constexpr int32_t scrollTrackLeft = scrollStripLeft + 1;

// Row i of the list stands at y = listOriginY + 30i - scrollOffset: its box
// reaches 14 pixels above and below that y, its text starts 10 pixels right
// of listOriginX. A release picks row i from 30i + 2 - s to 30i + 30 - s
// (s the scroll offset), 29 pixels; the 30th line between two bands picks none.
constexpr int64_t rowPitch = 30;
constexpr int64_t rowHalfBox = 14;
constexpr int32_t rowTextIndent = 10;
constexpr int64_t rowBandTop = 2;
constexpr int64_t rowBandHeight = 29;

// The day buttons are the side strips of the working date's box (x 250-290
// and 420-460 of the box 250-460, y 156-256). The month buttons and the four
// columns of year buttons lie below the calendar's weekday heads and move down
// with them (lowerPanelShift).
constexpr int32_t buttonWidth = 40;
constexpr int32_t previousDayLeft = 250;
constexpr int32_t nextDayLeft = 420;
constexpr int32_t dayButtonsTop = 156;
constexpr int32_t dayButtonHeight = 100;
constexpr int32_t monthButtonsLeft = 530;
constexpr int32_t nextMonthTop = 546;
constexpr int32_t previousMonthTop = 581;
constexpr int32_t monthButtonHeight = 30;
constexpr std::array<int32_t, 4> yearButtonLefts = {530, 572, 614, 656};  // ±1, ±10, ±100, ±1000
constexpr int32_t yearLaterTop = 630;
constexpr int32_t yearEarlierTop = 665;
constexpr int32_t yearButtonHeight = 30;

enum class DateButton {
    previousDay,
    nextDay,
    nextMonth,
    previousMonth,
    oneYearLater,
    oneYearEarlier,
    tenYearsLater,
    tenYearsEarlier,
    hundredYearsLater,
    hundredYearsEarlier,
    thousandYearsLater,
    thousandYearsEarlier,
};

// A date button's release band, inclusive on every side, before the shift of
// the buttons below the weekday heads.
struct ButtonBand {
    int32_t left;
    int32_t right;
    int32_t top;
    int32_t bottom;
    bool belowDayNames;
    DateButton button;
};

// The band of a drawn box (left, top, left + 40, top + height): the box less
// its left and top outline.
constexpr ButtonBand bandOfBox(int32_t left, int32_t top, int32_t height, bool belowDayNames, DateButton button) {
    return {left + 1, left + buttonWidth - 1, top + 1, top + height - 1, belowDayNames, button};
}

// The band of a "later" year button is deliberately offset from its drawn
// box, and kept so: it starts 6 pixels below the box's top and runs through
// the gap below the box to the "earlier" box (y 636-664 for the box 630-660).
// So the top rows of each "later" box answer to nothing, and the gap between
// the two boxes of a column answers to the upper one.
constexpr ButtonBand laterYearBand(int32_t left, DateButton button) {
    return {left + 1, left + buttonWidth - 1, yearLaterTop + 6, yearEarlierTop - 1, true, button};
}

constexpr std::array<ButtonBand, 12> dateButtonBands{{
    bandOfBox(previousDayLeft, dayButtonsTop, dayButtonHeight, false, DateButton::previousDay),
    bandOfBox(nextDayLeft, dayButtonsTop, dayButtonHeight, false, DateButton::nextDay),
    bandOfBox(monthButtonsLeft, nextMonthTop, monthButtonHeight, true, DateButton::nextMonth),
    bandOfBox(monthButtonsLeft, previousMonthTop, monthButtonHeight, true, DateButton::previousMonth),
    laterYearBand(yearButtonLefts[0], DateButton::oneYearLater),
    bandOfBox(yearButtonLefts[0], yearEarlierTop, yearButtonHeight, true, DateButton::oneYearEarlier),
    laterYearBand(yearButtonLefts[1], DateButton::tenYearsLater),
    bandOfBox(yearButtonLefts[1], yearEarlierTop, yearButtonHeight, true, DateButton::tenYearsEarlier),
    laterYearBand(yearButtonLefts[2], DateButton::hundredYearsLater),
    bandOfBox(yearButtonLefts[2], yearEarlierTop, yearButtonHeight, true, DateButton::hundredYearsEarlier),
    laterYearBand(yearButtonLefts[3], DateButton::thousandYearsLater),
    bandOfBox(yearButtonLefts[3], yearEarlierTop, yearButtonHeight, true, DateButton::thousandYearsEarlier),
}};

// The bands as the click handler has always taken them.
static_assert(dateButtonBands[0].left == 251 && dateButtonBands[0].bottom == 255);
static_assert(dateButtonBands[3].top == 582 && dateButtonBands[3].bottom == 610);
static_assert(dateButtonBands[4].top == 636 && dateButtonBands[4].bottom == 664);
static_assert(dateButtonBands[11].left == 657 && dateButtonBands[11].right == 695 &&
              dateButtonBands[11].top == 666 && dateButtonBands[11].bottom == 694);

}  // namespace layout

// The y offset of everything below the calendar's weekday heads: 20 pixels
// for each character of the longest weekday name.
inline int32_t lowerPanelShift() { return saturateToInt32(20 * int64_t{appState.maxDayNameLength}); }

}  // namespace orvane
