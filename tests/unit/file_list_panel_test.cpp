// The file list panel: list frame, scroll track and rows for any scroll
// offset, the listing kept for the click hit test, and the pending file.
#include <limits>

#include "screen/frame.h"
#include "screen_test_support.h"

namespace orvane::screen_test {
namespace {

using fake::Call;

class FileListTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        // 37 files, the standards folder, "." and "..": 40 entries.
        for (int i = 0; i < 37; ++i) {
            const char name[] = {'f', char('0' + i / 10), char('0' + i % 10), '.', 't', 'x', 't', 0};
            touch(catalog() / name);
        }
    }

    // The list panel's elements: everything drawn left of the clock panel.
    std::vector<Drawn> listPanel() {
        std::vector<Drawn> list;
        for (const Drawn& d : drawnElements()) {
            if (d.x < 250) list.push_back(d);
        }
        return list;
    }

    std::vector<Drawn> rows() {
        std::vector<Drawn> list = listPanel();
        list.erase(list.begin(), list.begin() + 2);  // list frame and scroll track
        return list;
    }

    const std::u16string& entry(size_t i) { return appState.fileEntries.at(i); }
};

TEST_F(FileListTest, UnscrolledRowsFillTheClientHeight) {
    drawFrame(testWindow, 22, 16);
    ASSERT_EQ(appState.fileEntries.size(), 40u);
    EXPECT_EQ(entry(0), u".");
    EXPECT_EQ(entry(1), u"..");
    EXPECT_EQ(entry(2), u"f00.txt");

    std::vector<Drawn> expected = {box(1, 1, 199, 959), box(201, 1, 239, 959)};
    for (int64_t i = 0; i <= 31; ++i) {  // row 31: y = 946, box to 960; row 32 (y = 976) is out
        expected.push_back(box(1, 2 + 30 * i, 199, 30 + 30 * i));
        expected.push_back(text(32, 16 + 30 * i, entry(static_cast<size_t>(i))));
    }
    EXPECT_TRUE(sameDrawing(listPanel(), expected));
}

TEST_F(FileListTest, RowsCrossingAnEdgeShowTheirTextWithoutABox) {
    fake::fakePlatform().client = Rect{0, 0, 884, 950};
    appState.scrollOffset = 10;  // row 0 at y = 6: box from -8, text inside
    drawFrame(testWindow, 22, 16);
    const std::vector<Drawn> list = listPanel();
    EXPECT_EQ(list.at(0), box(1, -9, 199, 939));  // the list frame moves with the offset
    EXPECT_EQ(list.at(1), box(201, 1, 239, 949));  // the track does not
    const std::vector<Drawn> r = rows();
    EXPECT_EQ(r.at(0), text(32, 6, entry(0)));
    EXPECT_EQ(r.at(1), box(1, 22, 199, 50));
    EXPECT_EQ(r.at(2), text(32, 36, entry(1)));
    // Row 31 at y = 936: box to 950 fits; row 32 at y = 966 is out.
    EXPECT_EQ(r.back(), text(32, 936, entry(31)));
    EXPECT_EQ(r.at(r.size() - 2), box(1, 922, 199, 950));

    appState.scrollOffset = 0;
    fake::fakePlatform().calls.clear();
    drawFrame(testWindow, 22, 16);
    // Row 31 at y = 946: its box would end at 960, past the bottom; its text shows.
    EXPECT_EQ(rows().back(), text(32, 946, entry(31)));
    EXPECT_EQ(rows().at(rows().size() - 2), text(32, 916, entry(30)));
}

TEST_F(FileListTest, PositiveOffsetHidesRowsAboveTheTop) {
    appState.scrollOffset = 20;  // row 0 at y = -4: neither box nor text
    drawFrame(testWindow, 22, 16);
    const std::vector<Drawn> r = rows();
    EXPECT_EQ(r.at(0), box(1, 12, 199, 40));
    EXPECT_EQ(r.at(1), text(32, 26, entry(1)));

    // Far down the list: the walk passes the hidden rows and draws the last ones.
    appState.scrollOffset = 1060;
    fake::fakePlatform().calls.clear();
    drawFrame(testWindow, 22, 16);
    std::vector<Drawn> expected = {text(32, 6, entry(35))};
    for (int64_t i = 36; i < 40; ++i) {
        expected.push_back(box(1, 30 * i - 1058, 199, 30 * i - 1030));
        expected.push_back(text(32, 30 * i - 1044, entry(static_cast<size_t>(i))));
    }
    EXPECT_TRUE(sameDrawing(rows(), expected));
}

TEST_F(FileListTest, NegativeOffsetMovesRowsAndFrameDown) {
    appState.scrollOffset = -100;
    drawFrame(testWindow, 22, 16);
    const std::vector<Drawn> list = listPanel();
    EXPECT_EQ(list.at(0), box(1, 101, 199, 1059));
    EXPECT_EQ(list.at(1), box(201, 1, 239, 959));
    const std::vector<Drawn> r = rows();
    EXPECT_EQ(r.at(0), box(1, 102, 199, 130));
    EXPECT_EQ(r.at(1), text(32, 116, entry(0)));
    // Row 27 (y = 926) is the last boxed row, row 28 (y = 956) shows its text only.
    EXPECT_EQ(r.back(), text(32, 956, entry(28)));
    EXPECT_EQ(r.at(r.size() - 2), text(32, 926, entry(27)));
}

TEST_F(FileListTest, ExtremeOffsetsDrawOnlyFrameAndTrack) {
    const int32_t offsets[] = {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::min() + 1, -2147483000};
    for (const int32_t offset : offsets) {
        fake::fakePlatform().calls.clear();
        appState.scrollOffset = offset;
        drawFrame(testWindow, 22, 16);
        EXPECT_EQ(listPanel().size(), 2u) << offset;
        EXPECT_EQ(appState.fileEntries.size(), 40u);
    }
    // Far positions saturate instead of wrapping round into view.
    fake::fakePlatform().calls.clear();
    appState.scrollOffset = std::numeric_limits<int32_t>::min();
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(listPanel().at(0), box(1, std::numeric_limits<int32_t>::max(), 199,
                                     std::numeric_limits<int32_t>::max()));
    fake::fakePlatform().calls.clear();
    appState.scrollOffset = std::numeric_limits<int32_t>::max();
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(listPanel().at(0), box(1, -2147483646, 199, 960 - 2147483647LL - 1));
}

TEST_F(FileListTest, FolderThatCannotBeListedGivesNoRows) {
    appState.currentFolder = u"Missing folder";
    appState.fileEntries = {u"stale"};
    drawFrame(testWindow, 22, 16);
    EXPECT_TRUE(appState.fileEntries.empty());
    EXPECT_EQ(listPanel(), (std::vector<Drawn>{box(1, 1, 199, 959), box(201, 1, 239, 959)}));
}

TEST_F(FileListTest, FailedRowEndsTheRowsButNotTheFrame) {
    fake::failCall(Call::drawText, 3);  // the third row's text
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 1);
    EXPECT_EQ(rows().size(), 6u);  // rows 0 and 1, then row 2's box and its failed text
    EXPECT_EQ(drawnTexts().at(3).text, appState.londonTimeLabel);

    fake::reset();
    fake::failCall(Call::drawRectangle, 4);  // the second row's box
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_EQ(fake::liveDrawingObjects(), 0);
}

TEST_F(FileListTest, LongNameIsDrawnWhole) {
    const std::u16string name = u"a name much longer than the list is wide, running across the track.txt";
    touch(catalog() / fs::path(name));
    drawFrame(testWindow, 22, 16);
    bool found = false;
    for (const Drawn& d : rows()) found = found || (d.isText && d.text == name && d.x == 32);
    EXPECT_TRUE(found);
}

TEST_F(FileListTest, PendingFileIsOpenedOnceInsteadOfTheRows) {
    fs::create_directories(catalog() / "Sub");
    touch(catalog() / "Sub" / "doc.txt");
    appState.currentFolder = appState.rootFolderName + u"\\Sub";
    appState.pendingFile = u"doc.txt";
    fake::failCall(Call::probeFile, 1000);  // never fails; counts the probes

    EXPECT_EQ(drawFrame(testWindow, 22, 16), 0);
    EXPECT_EQ(listPanel().size(), 2u);
    EXPECT_EQ(appState.fileEntries, (DirectoryListing{u".", u"..", u"doc.txt"}));
    EXPECT_TRUE(appState.pendingFile.empty());
    EXPECT_EQ(fake::fakePlatform().failures.at(0).seen, 1);
    const std::vector<fake::RecordedCall> opened = fake::callsOf(Call::shellOpen);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].args, std::vector<int64_t>{0x1000});
    EXPECT_EQ(opened[0].text, u"doc.txt");
    EXPECT_EQ(opened[0].secondText, appState.currentFolder);

    // The next frame shows the rows again and opens nothing.
    fake::fakePlatform().calls.clear();
    drawFrame(testWindow, 22, 16);
    EXPECT_EQ(rows().size(), 6u);
    EXPECT_TRUE(fake::callsOf(Call::shellOpen).empty());
    EXPECT_EQ(fake::fakePlatform().failures.at(0).seen, 1);
}

TEST_F(FileListTest, MissingPendingFileIsStillHandedToTheShell) {
    appState.pendingFile = u"no such file.txt";
    fake::failCall(Call::shellOpen);  // the shell's answer changes nothing
    EXPECT_EQ(drawFrame(testWindow, 22, 16), 0);
    ASSERT_EQ(fake::callsOf(Call::shellOpen).size(), 1u);
    EXPECT_EQ(fake::callsOf(Call::shellOpen)[0].secondText, appState.rootFolderName);
    EXPECT_TRUE(appState.pendingFile.empty());
}

}  // namespace
}  // namespace orvane::screen_test
