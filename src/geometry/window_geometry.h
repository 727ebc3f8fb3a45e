#pragma once
// The window's geometry: its size on the screen and, in client pixels, every
// position and size of the frame drawn in it (the file list with its rows and
// their click bands, the scroll strip, the clock lines, the working date, the
// month calendar, the month and year texts, the date buttons with their
// release bands, and the frame-rate line). The panels draw from it, the click
// handler and the window procedure hit-test with it, and the backends size the
// window with it, so none of them can drift apart. It includes nothing of the
// program: every floor may include it. What follows from other numbers is
// derived here and pinned with static_assert where it must equal a given value.
//
// Texts are placed by their top-left corner; rectangles are left, top, right,
// bottom with the right and bottom edges excluded.

#include <array>
#include <cstdint>

#include "geometry/pixel_math.h"

namespace orvane::geometry {

// --- The window: its outer size (frame included) and its place on the screen.
constexpr int32_t windowLeft = 0;
constexpr int32_t windowTop = 0;
constexpr int32_t windowWidth = 900;
constexpr int32_t windowHeight = 1000;

// --- Fonts: LOGFONT heights (cell heights) of the frame's two fonts.
constexpr int32_t smallFontHeight = 16;  // every text but three
constexpr int32_t largeFontHeight = 64;  // the day number, the month and the year

// --- The file list, x 0 to 199. Its frame and row boxes run from x 1 to the
// right edge; the list frame and the scroll track stand one pixel inside the
// client area's top and bottom.
constexpr int32_t listBoxLeft = 1;
constexpr int32_t listRight = 199;
constexpr int32_t listFrameInset = 1;

// Where row 0 stands before any scroll: the start values of AppState's
// listOriginX and listOriginY, which every background erase sets again.
constexpr int32_t listOriginX = 22;
constexpr int32_t listOriginY = 16;

// Row i stands at y = listOriginY + 30i - scrollOffset: its box reaches 14
// pixels above and below that y, its text starts 10 pixels right of
// listOriginX.
constexpr int64_t rowPitch = 30;
constexpr int64_t rowHalfBox = 14;
constexpr int32_t rowTextIndent = 10;

// A release picks row i inside its box: from 30i + 2 - s to 30i + 30 - s (s
// the scroll offset), 29 pixels; the 30th line between two bands picks none.
constexpr int64_t rowBandTop = listOriginY - rowHalfBox;
constexpr int64_t rowBandHeight = 2 * rowHalfBox + 1;
static_assert(rowBandTop == 2 && rowBandHeight == 29);
static_assert(rowBandHeight < rowPitch, "one line between two bands picks no row");

// --- The scroll strip between the list and the date panels, x 200 to 239: a
// release there does nothing, a drag there scrolls. Its track is drawn one
// pixel inside it.
constexpr int32_t scrollStripLeft = listRight + 1;
constexpr int32_t scrollStripRight = 239;
constexpr int32_t scrollTrackLeft = scrollStripLeft + 1;
static_assert(scrollStripLeft == 200);

// --- The clock lines: the London label, the London time, the local label and
// the local time, one under the other.
constexpr int32_t clockLeft = 250;
constexpr int32_t clockTop = 16;
constexpr int32_t clockLinePitch = 30;
constexpr int32_t clockLineTop(int32_t line) { return clockTop + clockLinePitch * line; }
static_assert(clockLineTop(3) == 106);

// --- Buttons: boxes 40 pixels wide; an arrow stands 10 pixels inside its box.
constexpr int32_t buttonWidth = 40;
constexpr int32_t arrowIndent = 10;

// --- The working date: a box 250-460 by 156-256 whose side strips (x 250-290
// and 420-460) are the previous-day and next-day buttons; an inner box frames
// the weekday and the day number.
constexpr int32_t previousDayLeft = 250;
constexpr int32_t nextDayLeft = 420;
constexpr int32_t dayButtonsTop = 156;
constexpr int32_t dayButtonHeight = 100;
constexpr int32_t dayButtonsBottom = dayButtonsTop + dayButtonHeight;
constexpr int32_t workingDateTextLeft = previousDayLeft + buttonWidth + arrowIndent;
constexpr int32_t weekdayTextTop = 164;
constexpr int32_t dayNumberTop = 194;  // also the day arrows' top
static_assert(workingDateTextLeft == 300);

// --- The month calendar: the weekday names stand as column heads, one letter
// every 20 pixels, over six week boxes of seven 40-pixel columns.
constexpr int32_t calendarLeft = 250;
constexpr int32_t calendarColumnWidth = 40;
constexpr int32_t calendarRight = calendarLeft + 7 * calendarColumnWidth;
constexpr int32_t weekdayHeadTop = 266;
constexpr int32_t weekdayHeadLetterPitch = 20;
constexpr int32_t weeksTop = 286;  // before the shift below the heads
constexpr int32_t weekHeight = 40;
constexpr int32_t weekCount = 6;
static_assert(calendarRight == 530);

// The y offset of everything below the calendar's weekday heads (the weeks,
// the month and year texts and their buttons): 20 pixels for each character
// of the longest weekday name.
constexpr int32_t lowerPanelShift(int32_t maxDayNameLength) {
    return saturateToInt32(int64_t{weekdayHeadLetterPitch} * maxDayNameLength);
}

// --- The month and year, in the large font at the calendar's left, level with
// their buttons; the month buttons and the four columns of year buttons stand
// at the calendar's right. All of these move down with lowerPanelShift.
constexpr int32_t monthButtonsLeft = calendarRight;
constexpr int32_t nextMonthTop = 546;
constexpr int32_t previousMonthTop = 581;
constexpr int32_t monthButtonHeight = 30;
constexpr int32_t yearButtonPitch = buttonWidth + 2;  // ±1, ±10, ±100, ±1000
constexpr std::array<int32_t, 4> yearButtonLefts = {monthButtonsLeft, monthButtonsLeft + yearButtonPitch,
                                                    monthButtonsLeft + 2 * yearButtonPitch,
                                                    monthButtonsLeft + 3 * yearButtonPitch};
constexpr int32_t yearLaterTop = 630;
constexpr int32_t yearEarlierTop = 665;
constexpr int32_t yearButtonHeight = 30;
static_assert(yearButtonLefts[3] == 656);

constexpr int32_t dateTextLeft = calendarLeft;
constexpr int32_t monthTextTop = nextMonthTop;
constexpr int32_t yearTextTop = yearLaterTop;

// The arrows of the month and the ±1 year buttons and the texts of the other
// year buttons: the plus text in the later box, the minus text in the earlier.
constexpr int32_t buttonArrowLeft = monthButtonsLeft + arrowIndent;
constexpr int32_t nextMonthArrowTop = 556;
constexpr int32_t previousMonthArrowTop = 586;
constexpr int32_t yearLaterTextTop = 635;
constexpr int32_t yearEarlierTextTop = 670;
constexpr std::array<int32_t, 3> yearButtonTextLefts = {579, 621, 658};  // ±10, ±100, ±1000
static_assert(buttonArrowLeft == 540);

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
// its outline.
constexpr ButtonBand bandOfBox(int32_t left, int32_t top, int32_t height, bool belowDayNames, DateButton button) {
    return {left + 1, left + buttonWidth - 1, top + 1, top + height - 1, belowDayNames, button};
}

// The band of a "later" year button is offset from its drawn box: it starts
// 6 pixels below the box's top and runs through the gap below the box to the
// "earlier" box (y 636-664 for the box 630-660). So the top rows of each
// "later" box answer to nothing, and the gap between the two boxes of a
// column answers to the upper one.
constexpr int32_t laterYearBandDrop = 6;
constexpr ButtonBand laterYearBand(int32_t left, DateButton button) {
    return {left + 1, left + buttonWidth - 1, yearLaterTop + laterYearBandDrop, yearEarlierTop - 1, true, button};
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

// The bands a release is tested against.
static_assert(dateButtonBands[0].left == 251 && dateButtonBands[0].bottom == 255);
static_assert(dateButtonBands[3].top == 582 && dateButtonBands[3].bottom == 610);
static_assert(dateButtonBands[4].top == 636 && dateButtonBands[4].bottom == 664);
static_assert(dateButtonBands[11].left == 657 && dateButtonBands[11].right == 695 &&
              dateButtonBands[11].top == 666 && dateButtonBands[11].bottom == 694);

// --- The frame-rate line ends about at the client area's right edge: it
// starts 10 pixels left of it for each of its characters, 30 pixels above the
// bottom.
constexpr int32_t frameRateCharacterWidth = 10;
constexpr int32_t frameRateLineRise = 30;

}  // namespace orvane::geometry
