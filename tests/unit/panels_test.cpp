// The clock and date panels and the frame-rate line: every element's place,
// text and font, in both builds, and their failure handling.
#include "screen/frame.h"
#include "screen/month_grid.h"
#include "screen_test_support.h"
#include "standards/standard_words.h"

namespace orvane::screen_test {
namespace {

using fake::Call;

class PanelsTest : public ScreenTest {
protected:
    // The elements right of the file list, in drawing order.
    std::vector<Drawn> rightPanels() {
        std::vector<Drawn> right;
        for (const Drawn& d : drawnElements()) {
            if (d.x >= 250) right.push_back(d);
        }
        return right;
    }
};

TEST_F(PanelsTest, EveryElementRightOfTheListInOrder) {
    fake::fakePlatform().systemTime = SYSTEMTIME{2026, 7, 3, 15, 12, 0, 0, 0};   // Wed 15 Jul 2026
    fake::fakePlatform().localTime = SYSTEMTIME{2026, 7, 3, 15, 14, 30, 5, 0};
    appState.framesPerSecond = 42;
    appState.frameCounter = 7;
    const bool ru = russianBuild();
    const int64_t d = ru ? 220 : 180;
    ASSERT_EQ(appState.maxDayNameLength * 20, d);

    drawFrame(testWindow, 22, 16);

    std::vector<Drawn> expected = {
        text(250, 16, appState.londonTimeLabel),
        text(250, 46, dateTimeText(2026, 7, 15, 3, 12, 0, 0)),
        text(250, 76, appState.localTimeLabel),
        text(250, 106, dateTimeText(2026, 7, 15, 3, 14, 30, 5)),
        box(250, 156, 460, 256),
        box(290, 156, 420, 256),
        text(300, 164, nominativeWord(appState.dayOfWeekKeys[2])),  // Wednesday
        text(300, 194, u"09", 64),
        text(260, 194, u"\u02C2"),
        text(430, 194, u"\u02C3"),
    };
    for (size_t k = 0; k < 7; ++k) {
        const std::u16string& name = appState.dayOfWeekKeys[k];
        for (size_t j = 0; j < name.size(); ++j) {
            expected.push_back(text(250 + 40 * int64_t(k), 266 + 20 * int64_t(j), name.substr(j, 1)));
        }
    }
    for (int64_t r = 0; r < 6; ++r) expected.push_back(box(250, 286 + d + 40 * r, 530, 326 + d + 40 * r));
    const MonthGrid grid = buildMonthGrid(appState.workingDate);
    ASSERT_EQ(grid.size(), 5u);
    for (size_t r = 0; r < grid.size(); ++r) {
        for (size_t k = 0; k < grid[r].size(); ++k) {
            expected.push_back(text(250 + 40 * int64_t(k), 286 + d + 40 * int64_t(r), grid[r][k]));
        }
    }
    const std::vector<Drawn> buttons = {
        text(250, 546 + d, nominativeWord(appState.monthKeys[11]), 64),
        text(250, 630 + d, u"2026", 64),
        box(530, 546 + d, 570, 576 + d),
        box(530, 581 + d, 570, 611 + d),
        text(540, 556 + d, u"\u02C4"),
        text(540, 586 + d, u"\u02C5"),
        box(530, 630 + d, 570, 660 + d),
        box(530, 665 + d, 570, 695 + d),
        text(540, 635 + d, u"\u02C4"),
        text(540, 670 + d, u"\u02C5"),
        box(572, 630 + d, 612, 660 + d),
        box(572, 665 + d, 612, 695 + d),
        text(579, 635 + d, u"+10"),
        text(579, 670 + d, u"-10"),
        box(614, 630 + d, 654, 660 + d),
        box(614, 665 + d, 654, 695 + d),
        text(621, 635 + d, u"+100"),
        text(621, 670 + d, u"-100"),
        box(656, 630 + d, 696, 660 + d),
        box(656, 665 + d, 696, 695 + d),
        text(658, 635 + d, u"+1000"),
        text(658, 670 + d, u"-1000"),
    };
    expected.insert(expected.end(), buttons.begin(), buttons.end());
    const std::u16string rateLine = ru ? u"Частота кадров 0042, текущий кадр 0007."
                                       : u"Frame rate 0042, current frame 0007.";
    expected.push_back(text(884 - 10 * int64_t(rateLine.size()), 960 - 30, rateLine));

    EXPECT_TRUE(sameDrawing(rightPanels(), expected));
    // The week boxes start where the longest weekday name ends.
    EXPECT_EQ(expected[10 + (ru ? 55 : 50)].y, ru ? 506 : 466);
}

TEST_F(PanelsTest, LondonLineIsUtcAndTheWordsComeFromTheTree) {
    // Winter: UTC and local time differ by three hours, the UTC line stays UTC.
    fake::fakePlatform().systemTime = SYSTEMTIME{2024, 1, 1, 15, 9, 5, 7, 0};
    fake::fakePlatform().localTime = SYSTEMTIME{2024, 1, 1, 15, 12, 5, 7, 0};
    drawFrame(testWindow, 22, 16);
    const std::vector<Drawn> right = rightPanels();
    const std::u16string month = russianBuild() ? genitiveWord(u"Январь") : nominativeWord(u"January");
    const std::u16string monday = nominativeWord(appState.dayOfWeekKeys[0]);
    EXPECT_EQ(right.at(1).text, u" " + monday + u" 09:05:07 15 " + month + u" 2024 " + yearWord + u".");
    EXPECT_EQ(right.at(3).text, u" " + monday + u" 12:05:07 15 " + month + u" 2024 " + yearWord + u".");

    // A renamed word file shows in the next frame.
    const fs::path mondayFolder = diskPath(root_, appState.dayOfWeekFolder + u"\\" + appState.dayOfWeekKeys[0]);
    fs::rename(mondayFolder / fs::path(monday + u".txt"), mondayFolder / fs::path(u"Renamed.txt"));
    fake::reset();
    fake::fakePlatform().systemTime = SYSTEMTIME{2024, 1, 1, 15, 9, 5, 7, 0};
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(rightPanels().at(1).text, u" Renamed 09:05:07 15 " + month + u" 2024 " + yearWord + u".");
}

struct RateCase {
    int32_t framesPerSecond;
    uint32_t frameCounter;
    const char16_t* english;
    const char16_t* russian;
};

TEST_F(PanelsTest, FrameRateLineWritesFourDigitsAndEndsAtTheRightEdge) {
    const RateCase cases[] = {
        {7, 12, u"Frame rate 0007, current frame 0012.", u"Частота кадров 0007, текущий кадр 0012."},
        {1001, 1, u"Frame rate 1001, current frame 0001.", u"Частота кадров 1001, текущий кадр 0001."},
        {0, 123456, u"Frame rate 0000, current frame 123456.", u"Частота кадров 0000, текущий кадр 123456."},
    };
    fake::fakePlatform().client = Rect{0, 0, 900, 1000};
    for (const RateCase& c : cases) {
        fake::fakePlatform().calls.clear();
        appState.framesPerSecond = c.framesPerSecond;
        appState.frameCounter = c.frameCounter;
        drawFrame(testWindow, 22, 16);
        const std::u16string line = russianBuild() ? c.russian : c.english;
        EXPECT_EQ(drawnTexts().back(), text(900 - 10 * int64_t(line.size()), 970, line));
    }
    EXPECT_EQ(std::u16string(u"Frame rate 0042, current frame 0007.").size(), 36u);
}

TEST_F(PanelsTest, FailedCalendarCellEndsOnlyItsRow) {
    drawFrame(testWindow, 22, 16);
    const std::vector<Drawn> whole = rightPanels();
    const size_t listTexts = appState.fileEntries.size();
    const int headers = russianBuild() ? 55 : 50;
    startOver();

    // The second cell of the first row ("01" of December 2026) fails.
    const int secondCell = static_cast<int>(listTexts) + 4 + 4 + headers + 2;
    fake::failCall(Call::drawText, secondCell);
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 1);

    std::vector<Drawn> expected = whole;
    const int64_t firstRowY = 286 + appState.maxDayNameLength * 20;
    // Cells 03 to 06 of the first row are skipped; everything else is drawn.
    std::erase_if(expected, [&](const Drawn& d) { return d.isText && d.y == firstRowY && d.x >= 330; });
    EXPECT_TRUE(sameDrawing(rightPanels(), expected));
}

TEST_F(PanelsTest, EveryOtherFailedElementLetsThePanelGoOn) {
    // Every rectangle fails: every text right of the list is still drawn.
    const auto rightTexts = [this] {
        std::vector<Drawn> texts = rightPanels();
        std::erase_if(texts, [](const Drawn& d) { return !d.isText; });
        return texts;
    };
    drawFrame(testWindow, 22, 16);
    const std::vector<Drawn> texts = rightTexts();
    startOver();
    fake::failCall(Call::drawRectangle);
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 1);
    EXPECT_TRUE(sameDrawing(rightTexts(), texts));
}

}  // namespace
}  // namespace orvane::screen_test
