// The month calendar: the weekday names standing vertically as column heads,
// six week boxes, and the day numbers of the working month.
#include "geometry/window_geometry.h"
#include "screen/month_grid.h"
#include "screen/panels.h"
#include "state/app_state.h"

namespace orvane {

void drawMonthCalendar(FrameContext& frame) {
    using namespace geometry;

    // Heads: one character per call, letter j of name k at (250 + 40k, 266 + 20j).
    int32_t x = calendarLeft;
    for (const std::u16string& name : appState.weekdayNames) {
        int32_t y = weekdayHeadTop;
        for (size_t j = 0; j < name.size(); ++j) {
            drawPanelText(frame, x, y, std::u16string_view(name).substr(j, 1));
            y += weekdayHeadLetterPitch;
        }
        x += calendarColumnWidth;
    }

    const int32_t shiftedWeeksTop = weeksTop + lowerPanelShift(appState.maxDayNameLength);
    for (int32_t r = 0; r < weekCount; ++r) {
        drawPanelRectangle(frame, calendarLeft, shiftedWeeksTop + weekHeight * r, calendarRight,
                           shiftedWeeksTop + weekHeight * (r + 1));
    }

    // A failed cell ends its row; the next row is drawn as usual.
    const MonthGrid grid = buildMonthGrid(appState.workingDate);
    int32_t y = shiftedWeeksTop;
    for (const std::vector<std::u16string>& row : grid) {
        int32_t cellX = calendarLeft;
        for (const std::u16string& cell : row) {
            if (!drawPanelText(frame, cellX, y, cell)) break;
            cellX += calendarColumnWidth;
        }
        y += weekHeight;
    }
}

}  // namespace orvane
