// The file list panel: list frame, scroll track and rows for any scroll
// offset, the listing kept for the click hit test, and the pending file.
#include <limits>

#include "screen_test_support.h"

namespace orvane::screen_test {
namespace {

constexpr int32_t int32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t int32Min = std::numeric_limits<int32_t>::min();

class FileListTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        // 37 files, the standards folder, "." and "..": 40 entries.
        for (int i = 100; i < 137; ++i) makeFile(catalog() / std::to_string(i).insert(0, 1, 'f').append(".txt"));
    }
    // The list frame, the scroll track, then the rows.
    std::vector<Drawn> listPanel() {
        std::vector<Drawn> list = drawn();
        std::erase_if(list, [](const Drawn& d) { return d.x >= 250; });
        return list;
    }
    // Row i at y = 16 + 30i − scroll: the box when it fits in the client height, the text when y does.
    std::vector<Drawn> expectedRows(int64_t scroll, int64_t height) {
        std::vector<Drawn> rows;
        for (size_t i = 0; i < appState.fileEntries.size(); ++i) {
            const int64_t y = 16 + 30 * int64_t(i) - scroll;
            if (y - 14 >= 0 && y + 14 <= height) rows.push_back(box(1, y - 14, 199, y + 14));
            if (y >= 0 && y <= height) rows.push_back(text(32, y, appState.fileEntries[i]));
        }
        return rows;
    }
};

TEST_F(FileListTest, RowsFrameAndTrackForEveryScrollOffset) {
    struct Case { int32_t scroll; Drawn frame; size_t rows; Drawn firstRow; };
    const Case cases[] = {
        {0, box(1, 1, 199, 959), 64, box(1, 2, 199, 30)},         // row 31 at y 946 boxed to 960, row 32 out
        {10, box(1, -9, 199, 949), 63, text(32, 6, u".")},        // row 0's box above the top: text only
        {20, box(1, -19, 199, 939), 63, box(1, 12, 199, 40)},     // row 0 (y −4) hidden
        {1060, box(1, -1059, 199, -101), 9, text(32, 6, u"f133.txt")},  // only the last rows
        {-100, box(1, 101, 199, 1059), 57, box(1, 102, 199, 130)},  // moved down; row 28 text only
        {int32Max, box(1, -2147483646, 199, 960 - 2147483648LL), 0, {}},
        {int32Min, box(1, int32Max, 199, int32Max), 0, {}},        // saturated, not wrapped into view
        {int32Min + 1, box(1, int32Max, 199, int32Max), 0, {}},
    };
    for (const Case& c : cases) {
        startOver();
        appState.scrollOffset = c.scroll;
        drawFrame(testWindow, 22, 16);
        ASSERT_EQ(appState.fileEntries.size(), 40u);
        std::vector<Drawn> expected = {c.frame, box(201, 1, 239, 959)};
        const std::vector<Drawn> rows = expectedRows(c.scroll, 960);
        expected.insert(expected.end(), rows.begin(), rows.end());
        EXPECT_EQ(listPanel(), expected) << "scroll " << c.scroll;
        EXPECT_EQ(rows.size(), c.rows) << "scroll " << c.scroll;
        if (c.rows > 0) {
            EXPECT_EQ(rows.front(), c.firstRow) << "scroll " << c.scroll;
        }
    }
}

TEST_F(FileListTest, FolderThatCannotBeListedGivesNoRows) {
    appState.currentFolder = u"Missing";
    appState.fileEntries = {u"stale"};
    drawFrame(testWindow, 22, 16);
    EXPECT_TRUE(appState.fileEntries.empty());
    EXPECT_EQ(listPanel().size(), 2u);
}

TEST_F(FileListTest, FailedRowEndsTheRowsButNotTheFrame) {
    fake::failCall(Call::drawText, 3);  // the third row's text
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 1);
    EXPECT_EQ(listPanel().size(), 2u + 6u);
    EXPECT_EQ(drawn().at(2 + 6).text, appState.londonTimeLabel);
    EXPECT_EQ(callCount(Call::copyBlock), 1u);
}

TEST_F(FileListTest, PendingFileIsOpenedOnceInsteadOfTheRows) {
    makeFile(catalog() / "Sub" / "doc.txt");
    appState.currentFolder = appState.rootFolderName + u"\\Sub";
    appState.pendingFile = u"doc.txt";
    fake::failCall(Call::probeFile, 1000);  // never reached: counts the probes

    EXPECT_EQ(drawFrame(testWindow, 22, 16), 0);
    EXPECT_EQ(listPanel().size(), 2u);
    EXPECT_EQ(appState.fileEntries, (DirectoryListing{u".", u"..", u"doc.txt"}));
    EXPECT_TRUE(appState.pendingFile.empty());
    EXPECT_EQ(fake::fakePlatform().failures.at(0).seen, 1);
    ASSERT_EQ(callCount(Call::shellOpen), 1u);
    const fake::RecordedCall open = fake::callsOf(Call::shellOpen)[0];
    EXPECT_EQ(open.args, std::vector<int64_t>{fake::windowHandleValue});
    EXPECT_EQ(open.text, u"doc.txt");
    EXPECT_EQ(open.secondText, appState.programFolder + u"\\" + appState.currentFolder);

    fake::fakePlatform().calls.clear();  // the next frame shows the rows and opens nothing
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(listPanel().size(), 2u + 6u);
    EXPECT_EQ(callCount(Call::shellOpen), 0u);
    EXPECT_EQ(fake::fakePlatform().failures.at(0).seen, 1);
}

}  // namespace
}  // namespace orvane::screen_test
