#pragma once
// The month calendar's grid: rows of up to seven cell texts, Monday first.

#include <string>
#include <vector>

#include "platform/types.h"

namespace orvane {

// A cell is a two-digit day ("07") or one space for an empty cell. Rows after
// the first hold only days; the last row may be shorter than seven.
using MonthGrid = std::vector<std::vector<std::u16string>>;

// The grid of the month that holds `workingDate`: the first row padded with
// spaces up to the weekday of the 1st. 31 December 9999, the last day the
// calendar holds, gives one row with only the 31st. A date the calendar
// cannot hold gives six rows of empty cells.
MonthGrid buildMonthGrid(const SYSTEMTIME& workingDate);

}  // namespace orvane
