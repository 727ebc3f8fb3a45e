// The clock and date panels and the frame-rate line: every element's place,
// text and font in both builds, and the calendar's failure rule.
#include "screen/month_grid.h"
#include "screen_test_support.h"
#include "standards/standard_words.h"

namespace orvane::screen_test {
namespace {

class PanelsTest : public ScreenTest {
protected:
    std::vector<Drawn> rightOfTheList() {
        std::vector<Drawn> right = drawn();
        std::erase_if(right, [](const Drawn& d) { return d.x < 250; });
        return right;
    }
};

TEST_F(PanelsTest, EveryElementInPlaceAndOrder) {
    fake::fakePlatform().systemTime = SYSTEMTIME{2026, 7, 3, 15, 12, 0, 0, 0};  // UTC, summer
    fake::fakePlatform().localTime = SYSTEMTIME{2026, 7, 3, 15, 14, 30, 5, 0};
    appState.framesPerSecond = 42;
    appState.frameCounter = 7;
    const bool ru = russianBuild();
    const int64_t d = ru ? 220 : 180;
    const std::u16string july = ru ? u"ИюльG" : u"JulyN";
    drawFrame(testWindow, 22, 16);

    std::vector<Drawn> expected = {
        text(250, 16, appState.londonTimeLabel),
        text(250, 46, u" " + appState.dayOfWeekKeys[2] + u"N 12:00:00 15 " + july + u" 2026 yearword."),
        text(250, 76, appState.localTimeLabel),
        text(250, 106, u" " + appState.dayOfWeekKeys[2] + u"N 14:30:05 15 " + july + u" 2026 yearword."),
        box(250, 156, 460, 256),
        box(290, 156, 420, 256),
        text(300, 164, appState.dayOfWeekKeys[2] + u"N"),
        text(300, 194, u"09", 64),
        text(260, 194, u"\u02C2"),
        text(430, 194, u"\u02C3"),
    };
    for (int64_t k = 0; k < 7; ++k) {
        const std::u16string& name = appState.dayOfWeekKeys[size_t(k)];
        for (size_t j = 0; j < name.size(); ++j) expected.push_back(text(250 + 40 * k, 266 + 20 * int64_t(j), name.substr(j, 1)));
    }
    for (int64_t r = 0; r < 6; ++r) expected.push_back(box(250, 286 + d + 40 * r, 530, 326 + d + 40 * r));
    const MonthGrid grid = buildMonthGrid(appState.workingDate);
    for (size_t r = 0; r < grid.size(); ++r) {
        for (size_t k = 0; k < grid[r].size(); ++k) expected.push_back(text(250 + 40 * int64_t(k), 286 + d + 40 * int64_t(r), grid[r][k]));
    }
    const std::vector<Drawn> buttons = {
        text(250, 546 + d, appState.monthKeys[11] + u"N", 64), text(250, 630 + d, u"2026", 64),
        box(530, 546 + d, 570, 576 + d), box(530, 581 + d, 570, 611 + d),
        text(540, 556 + d, u"\u02C4"), text(540, 586 + d, u"\u02C5"),
        box(530, 630 + d, 570, 660 + d), box(530, 665 + d, 570, 695 + d),
        text(540, 635 + d, u"\u02C4"), text(540, 670 + d, u"\u02C5"),
        box(572, 630 + d, 612, 660 + d), box(572, 665 + d, 612, 695 + d),
        text(579, 635 + d, u"+10"), text(579, 670 + d, u"-10"),
        box(614, 630 + d, 654, 660 + d), box(614, 665 + d, 654, 695 + d),
        text(621, 635 + d, u"+100"), text(621, 670 + d, u"-100"),
        box(656, 630 + d, 696, 660 + d), box(656, 665 + d, 696, 695 + d),
        text(658, 635 + d, u"+1000"), text(658, 670 + d, u"-1000"),
    };
    expected.insert(expected.end(), buttons.begin(), buttons.end());
    const std::u16string rate = ru ? u"Частота кадров 0042, текущий кадр 0007." : u"Frame rate 0042, current frame 0007.";
    expected.push_back(text(884 - 10 * int64_t(rate.size()), 930, rate));

    EXPECT_EQ(rightOfTheList(), expected);
    EXPECT_EQ(expected[10 + (ru ? 55 : 50)], box(250, ru ? 506 : 466, 530, ru ? 546 : 506));  // first week box
}

TEST_F(PanelsTest, FrameRateLineWritesAtLeastFourDigits) {
    struct Case { int32_t rate; uint32_t counter; std::u16string_view english, russian; };
    const Case cases[] = {
        {7, 12, u"Frame rate 0007, current frame 0012.", u"Частота кадров 0007, текущий кадр 0012."},
        {1001, 123456, u"Frame rate 1001, current frame 123456.", u"Частота кадров 1001, текущий кадр 123456."},
    };
    fake::fakePlatform().client = Rect{0, 0, 900, 1000};
    for (const Case& c : cases) {
        fake::fakePlatform().calls.clear();
        appState.framesPerSecond = c.rate;
        appState.frameCounter = c.counter;
        drawFrame(testWindow, 22, 16);
        const std::u16string line(russianBuild() ? c.russian : c.english);
        EXPECT_EQ(drawn().back(), text(900 - 10 * int64_t(line.size()), 970, line));
    }
}

TEST_F(PanelsTest, FailedCalendarCellEndsOnlyItsRow) {
    drawFrame(testWindow, 22, 16);
    std::vector<Drawn> expected = rightOfTheList();
    const int headers = russianBuild() ? 55 : 50;
    startOver();
    // The second cell of the first row: "01" of December 2026.
    fake::failCall(Call::drawText, int(appState.fileEntries.size()) + 8 + headers + 2);
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 1);
    const int64_t firstRow = 286 + 20 * appState.maxDayNameLength;
    std::erase_if(expected, [&](const Drawn& d) { return d.isText && d.y == firstRow && d.x > 290; });
    EXPECT_EQ(rightOfTheList(), expected);
}

}  // namespace
}  // namespace orvane::screen_test
