#pragma once
// The date buttons: moves of appState.workingDate by a day, a month, or 1, 10,
// 100 or 1000 years. Month and year moves keep the day of the month and the
// time of day and are cancelled whole (workingDate untouched) when the
// day-by-day walk to the target would pass 30 December 9999 or leave the years
// 100 to 9999.

#include <cstdint>

namespace orvane {

enum class DateMoveResult { finished, cancelled };

// Single day steps: never cancelled; a step out of range leaves the date as it was.
DateMoveResult previousDay();
DateMoveResult nextDay();
DateMoveResult nextMonth();
DateMoveResult previousMonth();
// years: 1, 10, 100 or 1000.
DateMoveResult yearsLater(int32_t years);
DateMoveResult yearsEarlier(int32_t years);

}  // namespace orvane
