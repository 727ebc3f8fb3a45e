// The application state as static initialisation makes it, for this build.
#include <gtest/gtest.h>

#include <algorithm>

#include "locale/string_table.h"
#include "state/app_state.h"

namespace orvane {
namespace {

bool russianBuild() { return stringTable().languageCode == u"ru"; }

TEST(AppStateAtStart, WorkingStateHasItsStartValues) {
    const AppState state(stringTable());
    EXPECT_EQ(state.listOriginX, 22);
    EXPECT_EQ(state.listOriginY, 16);
    EXPECT_EQ(state.frameCounter, 1u);
    EXPECT_EQ(state.framesPerSecond, 0);
    EXPECT_FALSE(state.frameInProgress);
    EXPECT_TRUE(state.programFolder.empty());
    EXPECT_EQ(state.currentFolder, state.rootFolderName);
    EXPECT_TRUE(state.pendingFile.empty());
    EXPECT_TRUE(state.fileEntries.empty());
    EXPECT_EQ(state.scrollOffset, 0);
    EXPECT_FALSE(state.leftButtonDown);
    EXPECT_EQ(state.lastMouseY, 0);
    EXPECT_FALSE(state.arrowCursor);
    EXPECT_TRUE(state.weekdayNames.empty());
    EXPECT_EQ(state.maxDayNameLength, 0);
    EXPECT_EQ(state.catalogPrefix, state.rootFolderName + u"\\");
    const SYSTEMTIME& date = state.workingDate;
    EXPECT_EQ(date.wYear + date.wMonth + date.wDayOfWeek + date.wDay + date.wHour + date.wMinute +
                  date.wSecond + date.wMilliseconds,
              0);
}

TEST(AppStateAtStart, LongestDayNameGivesTheLowerPanelsTheirPlace) {
    const AppState state(stringTable());
    size_t longest = 0;
    for (const auto& key : state.dayOfWeekKeys) longest = std::max(longest, key.size());
    EXPECT_EQ(longest, russianBuild() ? 11u : 9u);
}

}  // namespace
}  // namespace orvane
