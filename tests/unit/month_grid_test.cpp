// buildMonthGrid: the Monday-first grid of the working month.
#include <gtest/gtest.h>

#include "screen/month_grid.h"

namespace orvane {
namespace {

using Row = std::vector<std::u16string>;

Row days(int from, int to) {
    Row row;
    for (int day = from; day <= to; ++day) {
        row.push_back(std::u16string{char16_t(u'0' + day / 10), char16_t(u'0' + day % 10)});
    }
    return row;
}

Row blanks(int count) { return Row(static_cast<size_t>(count), u" "); }

Row join(Row a, const Row& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct GridCase {
    const char* name;
    SYSTEMTIME date;
    MonthGrid grid;
};

void PrintTo(const GridCase& c, std::ostream* os) { *os << c.name; }

SYSTEMTIME date(uint16_t year, uint16_t month, uint16_t day) {
    return SYSTEMTIME{year, month, 0, day, 12, 0, 0, 0};
}

class MonthGridTest : public ::testing::TestWithParam<GridCase> {};

TEST_P(MonthGridTest, Rows) { EXPECT_EQ(buildMonthGrid(GetParam().date), GetParam().grid); }

const GridCase gridCases[] = {
    // Begins on a Tuesday.
    {"December2026", date(2026, 12, 9),
     {join(blanks(1), days(1, 6)), days(7, 13), days(14, 20), days(21, 27), days(28, 31)}},
    // Begins on a Monday with 28 days: four full rows.
    {"February2021", date(2021, 2, 14), {days(1, 7), days(8, 14), days(15, 21), days(22, 28)}},
    // Begins on a Sunday with 31 days: six rows.
    {"March2026", date(2026, 3, 1),
     {join(blanks(6), days(1, 1)), days(2, 8), days(9, 15), days(16, 22), days(23, 29), days(30, 31)}},
    // The last day the calendar holds stands alone under Friday.
    {"LastDay9999", date(9999, 12, 31), {join(join(blanks(4), days(31, 31)), blanks(2))}},
    // The rest of that month walks to its end as usual (1 December 9999 is a Wednesday).
    {"December9999", date(9999, 12, 30),
     {join(blanks(2), days(1, 5)), days(6, 12), days(13, 19), days(20, 26), days(27, 31)}},
    // The first month the calendar holds (1 January 100 is a Friday).
    {"January100", date(100, 1, 1),
     {join(blanks(4), days(1, 3)), days(4, 10), days(11, 17), days(18, 24), days(25, 31)}},
    // Dates the calendar cannot hold: six rows of empty cells, never more.
    {"Year10000", date(10000, 1, 1), MonthGrid(6, blanks(7))},
    {"AllZero", SYSTEMTIME{}, MonthGrid(6, blanks(7))},
};

INSTANTIATE_TEST_SUITE_P(Months, MonthGridTest, ::testing::ValuesIn(gridCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvane
