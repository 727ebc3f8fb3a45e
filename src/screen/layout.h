#pragma once
// The window's geometry, in client pixels: the file list, its scroll strip and
// rows, the date buttons' boxes and release bands, and the shift of everything
// below the calendar's weekday heads. The panels draw from it and the click
// handler and the window procedure hit-test with it, so the two cannot drift
// apart.

#include <array>
#include <cstdint>

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
// the buttons below the weekday heads. The day and month bands are their drawn
// boxes less the left and top outline. The year bands are deliberately offset
// from their drawn boxes, and kept so: a "later" band starts 6 pixels below its
// box's top (y 636 for the box 630-660) and runs through the gap below the box
// to the "earlier" box (664); an "earlier" band is its box less the top outline
// (666-694 for the box 665-695). So the top rows of each "later" box answer to
// nothing, and the gap between the two boxes of a column answers to the upper one.
struct ButtonBand {
    int32_t left;
    int32_t right;
    int32_t top;
    int32_t bottom;
    bool belowDayNames;
    DateButton button;
};

constexpr std::array<ButtonBand, 12> dateButtonBands{{
    {251, 289, 157, 255, false, DateButton::previousDay},
    {421, 459, 157, 255, false, DateButton::nextDay},
    {531, 569, 547, 575, true, DateButton::nextMonth},
    {531, 569, 582, 610, true, DateButton::previousMonth},
    {531, 569, 636, 664, true, DateButton::oneYearLater},
    {531, 569, 666, 694, true, DateButton::oneYearEarlier},
    {573, 611, 636, 664, true, DateButton::tenYearsLater},
    {573, 611, 666, 694, true, DateButton::tenYearsEarlier},
    {615, 653, 636, 664, true, DateButton::hundredYearsLater},
    {615, 653, 666, 694, true, DateButton::hundredYearsEarlier},
    {657, 695, 636, 664, true, DateButton::thousandYearsLater},
    {657, 695, 666, 694, true, DateButton::thousandYearsEarlier},
}};

}  // namespace layout

// The y offset of everything below the calendar's weekday heads: 20 pixels
// for each character of the longest weekday name.
inline int32_t lowerPanelShift() { return 20 * appState.maxDayNameLength; }

}  // namespace orvane
