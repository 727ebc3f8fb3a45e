// The click handler: which region a release hits, the row hit test of the file
// list, what a list entry does, and how each kind of click ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "input/click.h"
#include "platform/fake/fake_platform.h"
#include "platform/window.h"
#include "shell_fixture.h"
#include "state/app_state.h"

namespace orvane {
namespace {

using testing_support::ShellTest;

const WindowHandle window = fake::mainWindow;

// 15 June 2020 (a Monday) 12:34:56; every date button moves it somewhere different.
constexpr SYSTEMTIME midJune2020{2020, 6, 1, 15, 12, 34, 56, 0};

enum class Outcome { fileList, scrollStrip, reset, dateMove };

struct Expected {
    Outcome outcome;
    uint16_t year = 0, month = 0, day = 0;  // for a date move
};

Expected fileList() { return {Outcome::fileList}; }
Expected strip() { return {Outcome::scrollStrip}; }
Expected reset() { return {Outcome::reset}; }
Expected movedTo(uint16_t year, uint16_t month, uint16_t day) { return {Outcome::dateMove, year, month, day}; }

struct BandCase {
    int32_t x;
    int32_t y;  // for the lower buttons: the offset from 20 * maxDayNameLength
    bool belowDayNames;
    Expected expected;
};

class ClickBandTest : public ShellTest {
protected:
    // Releases at (x, y) with a state in which every region leaves its own mark:
    // the list (empty, as for a folder that cannot be listed) sends the
    // browsed folder home, the reset ending zeroes the scroll offset, and each
    // date button moves the date its own way.
    void checkCase(const BandCase& c, int32_t maxDayNameLength) {
        appState = AppState(stringTable());
        fake::reset();
        appState.maxDayNameLength = maxDayNameLength;
        appState.programFolder = programFolder_.u16string();
        appState.workingDate = midJune2020;
        appState.currentFolder = appState.rootFolderName + u"\\Elsewhere";
        appState.scrollOffset = 7;
        const int32_t y = c.belowDayNames ? 20 * maxDayNameLength + c.y : c.y;
        SCOPED_TRACE(::testing::Message() << "M=" << maxDayNameLength << " x=" << c.x << " y=" << y);

        const intptr_t result = handleClick(window, packPoint(c.x, y));
        const SYSTEMTIME& date = appState.workingDate;

        switch (c.expected.outcome) {
        case Outcome::fileList:
            EXPECT_EQ(appState.currentFolder, appState.rootFolderName);
            EXPECT_EQ(appState.scrollOffset, 7);
            EXPECT_EQ(date.wDay, 15);
            EXPECT_EQ(framesStarted(), 1u);
            break;
        case Outcome::scrollStrip:
            EXPECT_EQ(result, 0);
            EXPECT_EQ(appState.currentFolder, appState.rootFolderName + u"\\Elsewhere");
            EXPECT_EQ(appState.scrollOffset, 7);
            EXPECT_EQ(date.wDay, 15);
            EXPECT_EQ(framesStarted(), 0u);
            break;
        case Outcome::reset:
            EXPECT_EQ(appState.scrollOffset, 0);
            EXPECT_EQ(appState.currentFolder, appState.rootFolderName + u"\\Elsewhere");
            EXPECT_EQ(date.wYear, 2020);
            EXPECT_EQ(date.wMonth, 6);
            EXPECT_EQ(date.wDay, 15);
            EXPECT_EQ(framesStarted(), 1u);
            break;
        case Outcome::dateMove:
            EXPECT_EQ(date.wYear, c.expected.year);
            EXPECT_EQ(date.wMonth, c.expected.month);
            EXPECT_EQ(date.wDay, c.expected.day);
            EXPECT_EQ(date.wHour, 12);
            EXPECT_EQ(date.wMinute, 34);
            EXPECT_EQ(date.wSecond, 56);
            EXPECT_EQ(appState.scrollOffset, 7);
            EXPECT_EQ(framesStarted(), 1u);
            break;
        }
    }
};

TEST_F(ClickBandTest, EveryRegionAtItsEdges) {
    makeProgramFolder();
    const Expected list = fileList(), none = reset();
    const Expected dayBack = movedTo(2020, 6, 14), dayOn = movedTo(2020, 6, 16);
    const Expected monthOn = movedTo(2020, 7, 15), monthBack = movedTo(2020, 5, 15);
    const Expected year1On = movedTo(2021, 6, 15), year1Back = movedTo(2019, 6, 15);
    const Expected year10On = movedTo(2030, 6, 15), year10Back = movedTo(2010, 6, 15);
    const Expected year100On = movedTo(2120, 6, 15), year100Back = movedTo(1920, 6, 15);
    const Expected year1000On = movedTo(3020, 6, 15), year1000Back = movedTo(1020, 6, 15);
    const bool fixed = false, shifted = true;  // y as given, or below the day names
    const std::vector<BandCase> cases = {
        // The file list and the scroll strip, at any height, negative included.
        {0, 500, fixed, list}, {199, -40, fixed, list}, {199, 32767, fixed, list},
        {200, 500, fixed, strip()}, {239, -1, fixed, strip()}, {220, 200, fixed, strip()},
        {240, 200, fixed, none}, {245, 500, fixed, none}, {-1, 500, fixed, none},
        {-32768, 200, fixed, none}, {32767, 200, fixed, none},
        // Previous and next day: x 251-289 and 421-459, y 157-255.
        {251, 157, fixed, dayBack}, {289, 255, fixed, dayBack}, {250, 200, fixed, none},
        {290, 200, fixed, none}, {270, 156, fixed, none}, {270, 256, fixed, none},
        {421, 157, fixed, dayOn}, {459, 255, fixed, dayOn}, {420, 200, fixed, none},
        {460, 200, fixed, none}, {440, 256, fixed, none},
        // Month up 547-575 and down 582-610; x 531-569.
        {550, 546, shifted, none}, {550, 547, shifted, monthOn}, {531, 575, shifted, monthOn},
        {550, 576, shifted, none}, {550, 581, shifted, none}, {569, 582, shifted, monthBack},
        {550, 610, shifted, monthBack}, {550, 611, shifted, none}, {530, 560, shifted, none},
        {570, 560, shifted, none},
        // Year columns: upper band 636-664 (5 below the drawn button), lower band 666-694.
        {550, 630, shifted, none}, {550, 632, shifted, none}, {550, 635, shifted, none},
        {550, 636, shifted, year1On}, {550, 661, shifted, year1On}, {550, 664, shifted, year1On},
        {550, 665, shifted, none}, {550, 666, shifted, year1Back}, {550, 694, shifted, year1Back},
        {550, 695, shifted, none},
        {573, 636, shifted, year10On}, {611, 664, shifted, year10On},
        {573, 666, shifted, year10Back}, {611, 694, shifted, year10Back},
        {572, 650, shifted, none}, {612, 680, shifted, none},
        {615, 636, shifted, year100On}, {653, 664, shifted, year100On},
        {615, 666, shifted, year100Back}, {653, 694, shifted, year100Back},
        {614, 650, shifted, none}, {654, 680, shifted, none},
        {657, 636, shifted, year1000On}, {695, 664, shifted, year1000On},
        {657, 666, shifted, year1000Back}, {695, 694, shifted, year1000Back},
        {656, 650, shifted, none}, {696, 680, shifted, none}, {676, 665, shifted, none},
    };
    for (const int32_t m : {9, 11}) {
        for (const BandCase& c : cases) checkCase(c, m);
    }
}

// The row hit test, without a frame (a frame is in progress), so the listing
// stays as set. Every entry is a folder name, so a hit shows in currentFolder.
class RowHitTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        makeProgramFolder();
        appState.fileEntries = {u"e0", u"e1", u"e2", u"e3"};
        appState.frameInProgress = true;
    }

    // The entry hit by a release at y, or "" when none.
    std::u16string hitAt(int32_t scrollOffset, int32_t y) {
        appState.currentFolder = appState.rootFolderName;
        appState.scrollOffset = scrollOffset;
        EXPECT_EQ(handleClick(window, packPoint(50, y)), 0);
        EXPECT_EQ(appState.scrollOffset, scrollOffset);
        if (appState.currentFolder == appState.rootFolderName) return u"";
        return appState.currentFolder.substr(appState.rootFolderName.size() + 1);
    }
};

TEST_F(RowHitTest, BandsAndGapsWithAndWithoutScrolling) {
    struct Case {
        int32_t scrollOffset;
        int32_t y;
        std::u16string hit;
    };
    const std::vector<Case> cases = {
        {0, 0, u""},     {0, 1, u""},       {0, 2, u"e0"},    {0, 16, u"e0"},   {0, 30, u"e0"},
        {0, 31, u""},    {0, 32, u"e1"},    {0, 60, u"e1"},   {0, 61, u""},     {0, 120, u"e3"},
        {0, 121, u""},   {0, 122, u""},     {0, 5000, u""},   {0, -1, u""},     {0, -32768, u""},
        {45, 2, u"e1"},  {45, 15, u"e1"},   {45, 16, u""},    {45, 17, u"e2"},  {45, -13, u"e1"},
        {45, -14, u""},  {45, -15, u"e0"},  {45, -43, u"e0"}, {45, -44, u""},  {45, 75, u"e3"},   {45, 76, u""},
        {-30, 32, u"e0"}, {-30, 31, u""},   {-30, 2, u""},
        // Offsets at the ends of their range: no entry anywhere near, no overflow.
        {std::numeric_limits<int32_t>::max(), 32767, u""},
        {std::numeric_limits<int32_t>::max(), -32768, u""},
        {std::numeric_limits<int32_t>::min(), 32767, u""},
        {std::numeric_limits<int32_t>::min(), -32768, u""},
        {std::numeric_limits<int32_t>::min() + 2, 32767, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "scrollOffset=" << c.scrollOffset << " y=" << c.y);
        EXPECT_EQ(hitAt(c.scrollOffset, c.y), c.hit);
    }
}

TEST_F(RowHitTest, FarDownALongListAtAnyOffset) {
    appState.fileEntries.assign(100000, u"far");
    appState.fileEntries.back() = u"last";
    // The last entry (i = 99999) spans 2999972 - s to 3000000 - s.
    EXPECT_EQ(hitAt(3000000 - 100, 100), u"last");
    EXPECT_EQ(hitAt(3000000 - 100, 101), u"");
    EXPECT_EQ(hitAt(2999972, 0), u"last");
    EXPECT_EQ(hitAt(2999972, -1), u"");
    EXPECT_EQ(hitAt(2999972, -2), u"far");
}

// What an entry does, one case per row: from which folder, which name, and
// where the browsed folder and the pending file end up.
TEST_F(ShellTest, EntryActions) {
    makeProgramFolder();
    const std::u16string root = appState.rootFolderName;
    struct Case {
        std::u16string currentFolder;
        std::u16string pendingFile;
        std::u16string entry;
        std::u16string expectedFolder;
        std::u16string expectedPending;
    };
    const std::vector<Case> cases = {
        {root + u"\\A\\B", u"x.txt", u".", root, u"x.txt"},
        {root, u"", u".", root, u""},
        {root, u"x.txt", u"..", root, u""},
        {root + u"\\A", u"", u"..", root, u""},
        {root + u"\\A\\B", u"x.txt", u"..", root + u"\\A", u""},
        {root, u"", u"report.txt", root, u"report.txt"},
        {root, u"", u"Backup.old", root, u"Backup.old"},
        {root + u"\\A", u"", u"no.such.file", root + u"\\A", u"no.such.file"},
        {root, u"", u"Makefile", root, u"Makefile"},
        {root, u"x.txt", u"A", root + u"\\A", u""},
        {root + u"\\A", u"", u"B", root + u"\\A\\B", u""},
        // Nothing of that name: taken for a folder, as any name without a full stop is.
        {root, u"", u"Gone", root + u"\\Gone", u""},
        // A path whose ".." strips everything else still lands on the catalog.
        {u"Loose", u"x.txt", u"..", root, u""},
        // Names that cannot be one entry on Windows (a Linux disk seen through
        // Wine lists them) reach nothing: neither opened nor entered, even
        // where they name something real.
        {root + u"\\A", u"x.txt", u"..\\report.txt", root + u"\\A", u"x.txt"},
        {root, u"", u"..\\..\\secret.txt", root, u""},
        {root, u"", u"C:\\windows\\win.ini", root, u""},
        {root, u"", u"A\\B", root, u""},
        {root, u"", u"A/B", root, u""},
        {root, u"", u"report.txt:stream", root, u""},
        // Names Windows' path rules would read as another entry or a device
        // (its last part's final full stops and spaces dropped; a device stem
        // whatever the extension) reach nothing either; their look-alikes do.
        {root, u"", u"report.txt.", root, u""},
        {root, u"", u"A ", root, u""},
        {root, u"", u"A.", root, u""},
        {root, u"", u"Backup.old ", root, u""},
        {root, u"", u"COM1.txt", root, u""},
        {root, u"", u"con", root, u""},
        {root, u"", u"Nul .log", root, u""},
        {root, u"", u"lpt\u00B9", root, u""},
        {root, u"", u"CONOUT$.x", root, u""},
        {root, u"", u"rep*.txt", root, u""},
        {root, u"", u"What?", root, u""},
        {root, u"", u"a\tb.txt", root, u""},
        {root, u"", u"COM10.txt", root, u"COM10.txt"},
        {root, u"", u"console.txt", root, u"console.txt"},
        {root, u"", u"report.con", root, u"report.con"},
        {root, u"", u" A", root + u"\\ A", u""},
        {root, u"", u"LPT0", root + u"\\LPT0", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "entry " << std::string(c.entry.begin(), c.entry.end()));
        appState.currentFolder = c.currentFolder;
        appState.pendingFile = c.pendingFile;
        appState.fileEntries = {c.entry};
        appState.frameInProgress = true;  // no frame: it would open the pending file
        appState.scrollOffset = 0;
        EXPECT_EQ(handleClick(window, packPoint(100, 16)), 0);
        EXPECT_EQ(appState.currentFolder, c.expectedFolder);
        EXPECT_EQ(appState.pendingFile, c.expectedPending);
    }
}

TEST_F(ShellTest, RegularFileTestResolvesFromTheProgramFolderAndLeavesTheCurrentFolder) {
    makeProgramFolder();
    const std::filesystem::path elsewhere = std::filesystem::temp_directory_path();
    std::filesystem::current_path(elsewhere);
    appState.fileEntries = {u"Makefile"};
    appState.frameInProgress = true;
    handleClick(window, packPoint(100, 16));
    EXPECT_EQ(appState.pendingFile, u"Makefile");
    EXPECT_EQ(appState.currentFolder, appState.rootFolderName);
    EXPECT_EQ(std::filesystem::current_path(), elsewhere);
}

TEST_F(ShellTest, ClickedFileIsOpenedByTheClicksOwnFrame) {
    makeProgramFolder();
    appState.currentFolder = appState.rootFolderName;
    appState.fileEntries = {u".", u"..", u"report.txt"};
    handleClick(window, packPoint(100, 2 * 30 + 16));
    EXPECT_EQ(framesStarted(), 1u);
    const std::vector<fake::RecordedCall> opens = fake::callsOf(fake::Call::shellOpen);
    ASSERT_EQ(opens.size(), 1u);
    // The working folder by its full path: the shell never resolves a bare
    // name against the program's folder.
    EXPECT_EQ(opens[0].text, u"report.txt");
    EXPECT_EQ(opens[0].secondText, appState.programFolder + u"\\" + appState.rootFolderName);
    EXPECT_TRUE(appState.pendingFile.empty());

    // A name reaching elsewhere: the click's frame is drawn and opens nothing.
    appState.fileEntries = {u".", u"..", u"..\\..\\report.txt"};
    handleClick(window, packPoint(100, 2 * 30 + 16));
    EXPECT_EQ(framesStarted(), 2u);
    EXPECT_EQ(fake::callsOf(fake::Call::shellOpen).size(), 1u);
    EXPECT_EQ(appState.currentFolder, appState.rootFolderName);
}

TEST_F(ShellTest, ReleaseBelowAShortListChangesNothing) {
    makeProgramFolder();
    appState.currentFolder = appState.rootFolderName + u"\\A";
    appState.fileEntries = {u".", u".."};
    appState.scrollOffset = -12;
    appState.frameInProgress = true;
    EXPECT_EQ(handleClick(window, packPoint(10, 900)), 0);
    EXPECT_EQ(appState.currentFolder, appState.rootFolderName + u"\\A");
    EXPECT_EQ(appState.scrollOffset, -12);
}

// A folder that lists entries but no ".." (a volume's root, a junction):
// entries still act, and a release that hits none goes back to the catalog.
TEST_F(ShellTest, FolderWithoutParentEntryHasAWayHome) {
    makeProgramFolder();
    const std::u16string deep = appState.rootFolderName + u"\\A\\B";
    struct Case {
        int32_t y;
        std::u16string expectedFolder;
        std::u16string expectedPending;
    };
    const std::vector<Case> cases = {
        {16, deep + u"\\Inner", u""},         // an entry: entered as in any folder
        {46, deep, u"notes.txt"},             // a file: chosen as in any folder
        {31, appState.rootFolderName, u""},   // the line between two rows
        {900, appState.rootFolderName, u""},  // below the last row
        {-5, appState.rootFolderName, u""},   // above the first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "y=" << c.y);
        appState.currentFolder = deep;
        appState.pendingFile = u"old.txt";
        appState.fileEntries = {u"Inner", u"notes.txt"};
        appState.frameInProgress = true;  // no frame: it would list the folder again
        handleClick(window, packPoint(50, c.y));
        EXPECT_EQ(appState.currentFolder, c.expectedFolder);
        EXPECT_EQ(appState.pendingFile, c.expectedPending);
    }
}

TEST_F(ShellTest, UnlistableFolderSendsTheListHome) {
    makeProgramFolder();
    appState.currentFolder = appState.rootFolderName + u"\\A";
    std::filesystem::remove_all(programFolder_ / std::filesystem::path(appState.rootFolderName) / "A");
    // The frame lists the vanished folder: nothing to show.
    handleClick(window, packPoint(300, 900));
    ASSERT_TRUE(appState.fileEntries.empty());
    EXPECT_EQ(appState.currentFolder, appState.rootFolderName + u"\\A");
    // Any release over the list then goes back to the catalog, whose entries the frame shows.
    handleClick(window, packPoint(10, 900));
    EXPECT_EQ(appState.currentFolder, appState.rootFolderName);
    EXPECT_FALSE(appState.fileEntries.empty());
}

TEST_F(ShellTest, ResetEndingForgetsThePendingFileAndScrollsToTheTop) {
    makeProgramFolder();
    appState.pendingFile = u"report.txt";
    appState.scrollOffset = 450;
    fake::failCall(fake::Call::getWindowContext);
    EXPECT_EQ(handleClick(window, packPoint(245, 10)), 1);  // the failed frame's result
    EXPECT_TRUE(appState.pendingFile.empty());
    EXPECT_EQ(appState.scrollOffset, 0);
    EXPECT_TRUE(fake::callsOf(fake::Call::shellOpen).empty());
}

TEST_F(ShellTest, CancelledDateMovePutsTheDateBackWithoutMilliseconds) {
    makeProgramFolder();
    appState.maxDayNameLength = 9;
    const SYSTEMTIME last{9999, 12, 5, 31, 23, 59, 58, 640};  // a Friday
    appState.workingDate = last;
    appState.pendingFile = u"report.txt";
    appState.scrollOffset = 90;

    handleClick(window, packPoint(550, 20 * 9 + 560));  // next month: cancelled

    SYSTEMTIME expected = last;
    expected.wMilliseconds = 0;
    EXPECT_EQ(appState.workingDate, expected);
    EXPECT_TRUE(appState.pendingFile.empty());
    EXPECT_EQ(appState.scrollOffset, 0);
    EXPECT_EQ(framesStarted(), 1u);
    EXPECT_TRUE(fake::callsOf(fake::Call::shellOpen).empty());
}

TEST_F(ShellTest, FrameInProgressChangesStateButDrawsNothing) {
    makeProgramFolder();
    appState.frameInProgress = true;
    appState.scrollOffset = 30;
    EXPECT_EQ(handleClick(window, packPoint(700, 10)), 0);
    EXPECT_EQ(appState.scrollOffset, 0);
    EXPECT_EQ(framesStarted(), 0u);
    EXPECT_TRUE(appState.frameInProgress);
}

}  // namespace
}  // namespace orvane
