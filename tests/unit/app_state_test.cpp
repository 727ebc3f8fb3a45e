// The application state as static initialisation makes it, for this build.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_state.h"
#include "locale/string_table.h"

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
    const SYSTEMTIME& date = state.workingDate;
    EXPECT_EQ(date.wYear + date.wMonth + date.wDayOfWeek + date.wDay + date.wHour + date.wMinute +
                  date.wSecond + date.wMilliseconds,
              0);
}

TEST(AppStateAtStart, TextsAndStandardsPathsOfTheBuild) {
    const AppState state(stringTable());
    EXPECT_EQ(state.windowTitle, u"Orvane");
    EXPECT_EQ(state.fullStop, u".");
    EXPECT_EQ(state.catalogPrefix, state.rootFolderName + u"\\");
    if (russianBuild()) {
        EXPECT_EQ(state.rootFolderName, u"Каталог");
        EXPECT_EQ(state.londonTimeLabel, u"Лондонское время:");
        EXPECT_EQ(state.localTimeLabel, u"Местное время:");
        EXPECT_EQ(state.frameRateLabel, u"Частота кадров ");
        EXPECT_EQ(state.currentFrameLabel, u", текущий кадр ");
        EXPECT_EQ(state.dayOfWeekFolder, u"Каталог\\Стандарты\\Время\\Именительный\\День недели");
        EXPECT_EQ(state.monthsFolder, u"Каталог\\Стандарты\\Время\\Именительный\\Месяцы");
        EXPECT_EQ(state.monthsGenitiveFolder, u"Каталог\\Стандарты\\Время\\Родительный\\Месяцы");
        EXPECT_EQ(state.yearFolder, u"Каталог\\Стандарты\\Время\\Родительный\\Год");
        EXPECT_EQ(state.dayOfWeekKeys[0], u"Понедельник");
        EXPECT_EQ(state.dayOfWeekKeys[6], u"Воскресение");
        EXPECT_EQ(state.monthKeys[0], u"Январь");
        EXPECT_EQ(state.monthKeys[11], u"Декабрь");
        EXPECT_EQ(state.fontCharSet, 204);
        for (const auto& text : state.failureTexts) EXPECT_EQ(text.rfind(u"Неудача при попытке", 0), 0u);
    } else {
        EXPECT_EQ(state.rootFolderName, u"Catalog");
        EXPECT_EQ(state.londonTimeLabel, u"London time:");
        EXPECT_EQ(state.localTimeLabel, u"Local time:");
        EXPECT_EQ(state.frameRateLabel, u"Frame rate ");
        EXPECT_EQ(state.currentFrameLabel, u", current frame ");
        EXPECT_EQ(state.dayOfWeekFolder, u"Catalog\\\\Standards\\Time\\Day of Week");
        EXPECT_EQ(state.monthsFolder, u"Catalog\\\\Standards\\Time\\Months");
        EXPECT_EQ(state.monthsGenitiveFolder, state.monthsFolder);
        EXPECT_EQ(state.yearFolder, u"Catalog\\\\Standards\\Time\\Year");
        EXPECT_EQ(state.dayOfWeekKeys[0], u"Monday");
        EXPECT_EQ(state.dayOfWeekKeys[6], u"Sunday");
        EXPECT_EQ(state.monthKeys[0], u"January");
        EXPECT_EQ(state.monthKeys[11], u"December");
        EXPECT_EQ(state.fontCharSet, 0);
        for (const auto& text : state.failureTexts) EXPECT_EQ(text.rfind(u"Failure when", 0), 0u);
    }
}

TEST(AppStateAtStart, LongestDayNameGivesTheLowerPanelsTheirPlace) {
    const AppState state(stringTable());
    size_t longest = 0;
    for (const auto& key : state.dayOfWeekKeys) longest = std::max(longest, key.size());
    EXPECT_EQ(longest, russianBuild() ? 11u : 9u);
}

}  // namespace
}  // namespace orvane
