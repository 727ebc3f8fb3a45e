// Words of the standards tree, the number texts and the date-and-time line,
// on temporary copies of this build's layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "folder_test_support.h"
#include "locale/string_table.h"
#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "standards/catalog_check.h"
#include "standards/standard_words.h"
#include "state/app_state.h"

namespace orvane::testing {
namespace {

bool russianBuild() { return stringTable().languageCode == u"ru"; }

std::u16string digit(size_t value) { return std::u16string(1, static_cast<char16_t>(u'0' + value)); }

// Joins texts by appending (GCC 12 warns falsely about literal + temporary).
std::u16string joined(std::initializer_list<std::u16string_view> pieces) {
    std::u16string text;
    for (std::u16string_view piece : pieces) text += piece;
    return text;
}

class StandardWords : public FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        savedProgramFolder = appState.programFolder;
        appState.programFolder = scratch.text();
        fs::create_directory(scratch.path() / "Caller");
        fs::current_path(scratch.path() / "Caller");
        caller = currentFolderNow();
    }
    void TearDown() override {
        appState.programFolder = savedProgramFolder;
        FolderTest::TearDown();
    }

    // A standards path of the program (relative to programFolder) on disk.
    fs::path onDisk(const std::u16string& programRelative) const {
        return scratch.path() / posix::systemPath(programRelative);
    }
    std::u16string keyFolder(const std::u16string& folder, const std::u16string& key) const {
        return folder + u"\\" + key;
    }
    void putWord(const std::u16string& folder, const std::u16string& fileName) const {
        makeFile(onDisk(folder) / utf8(fileName));
    }

    // Every key folder of the build with a word that tells where it came
    // from: "day1".."day7" (Monday first), "month1".."month12" from the
    // months folder, "genitive1".."genitive12" from the genitive one (in the
    // English build the same folder), and "year".
    void layTree() const {
        for (size_t i = 0; i < 7; ++i) {
            putWord(keyFolder(appState.dayOfWeekFolder, appState.dayOfWeekKeys[i]), joined({u"day", digit(i + 1), u".txt"}));
        }
        for (size_t i = 0; i < 12; ++i) {
            const std::u16string number = i < 9 ? digit(i + 1) : joined({u"1", digit(i - 9)});
            putWord(keyFolder(appState.monthsFolder, appState.monthKeys[i]), joined({u"month", number, u".txt"}));
            if (appState.monthsGenitiveFolder != appState.monthsFolder) {
                putWord(keyFolder(appState.monthsGenitiveFolder, appState.monthKeys[i]),
                        joined({u"genitive", number, u".txt"}));
            }
        }
        putWord(appState.yearFolder, u"year.txt");
    }
    std::u16string genitive(const std::u16string& number) const {
        return joined({russianBuild() ? u"genitive" : u"month", number});
    }

    ScratchFolder scratch;
    std::u16string savedProgramFolder;
    std::u16string caller;
};

TEST_F(StandardWords, WordIsTheFirstEntryNameLessItsExtension) {
    struct Case {
        std::u16string entry;
        std::u16string word;
    };
    const std::vector<Case> cases = {
        {u"Mon.txt", u"Mon"},       {u"Mon.day.txt", u"Mon.day"}, {u"a.b.c", u"a.b"},
        {u".txt", u""},             {u"plain", u"plain"},         {u"plain.", u"plain"},
        {u"a.b.", u"a"},            {u"x", u"x"},                 {u"понедельник.txt", u"понедельник"},
        {u"a..txt", u"a."},         {u"...", u"."},               {u"Word with spaces.doc", u"Word with spaces"},
    };
    fs::current_path(scratch.path());
    int serial = 0;
    for (const Case& c : cases) {
        const std::u16string folder = joined({u"W", std::u16string(1, static_cast<char16_t>(u'a' + serial++))});
        makeFile(scratch.path() / utf8(folder) / utf8(c.entry));
        EXPECT_EQ(readStandardWord(folder), c.word) << utf8(c.entry);
    }
}

TEST_F(StandardWords, FolderWithoutOneWordEntry) {
    fs::current_path(scratch.path());
    fs::create_directories(scratch.path() / "Empty");
    EXPECT_EQ(readStandardWord(u"Empty"), u"");
    EXPECT_EQ(readStandardWord(u"Missing"), u"");
    EXPECT_EQ(readStandardWord(u""), u"");

    // Several entries: the first in enumeration order; a folder serves as well.
    makeFile(scratch.path() / "Several" / "b.txt");
    makeFile(scratch.path() / "Several" / "C.txt");
    fs::create_directories(scratch.path() / "Several" / "A word.d");
    EXPECT_EQ(readStandardWord(u"Several"), u"A word");
}

TEST_F(StandardWords, DayAndMonthWordsComeFromTheirKeyFolders) {
    layTree();
    EXPECT_EQ(dayOfWeekWord(1), u"day1");  // Monday
    EXPECT_EQ(dayOfWeekWord(3), u"day3");
    EXPECT_EQ(dayOfWeekWord(6), u"day6");  // Saturday
    EXPECT_EQ(dayOfWeekWord(0), u"day7");  // Sunday, the last key
    EXPECT_EQ(dayOfWeekWord(7), u"");
    EXPECT_EQ(dayOfWeekWord(65535), u"");

    EXPECT_EQ(monthWord(1), u"month1");
    EXPECT_EQ(monthWord(12), u"month12");  // never the genitive in either build
    EXPECT_EQ(monthWord(0), u"month1");  // the first key, as for 1
    EXPECT_EQ(monthWord(13), u"");
    EXPECT_EQ(currentFolderNow(), caller);
}

TEST_F(StandardWords, BuildsLookAtTheirOwnKeyFolders) {
    const fs::path sunday = onDisk(keyFolder(appState.dayOfWeekFolder, appState.dayOfWeekKeys[6]));
    if (russianBuild()) {
        EXPECT_EQ(sunday, scratch.path() / utf8(u"Каталог/Стандарты/Время/Именительный/День недели/Воскресение"));
        EXPECT_EQ(onDisk(appState.monthsFolder), scratch.path() / utf8(u"Каталог/Стандарты/Время/Именительный/Месяцы"));
        EXPECT_EQ(onDisk(appState.monthsGenitiveFolder), scratch.path() / utf8(u"Каталог/Стандарты/Время/Родительный/Месяцы"));
        EXPECT_EQ(onDisk(appState.yearFolder), scratch.path() / utf8(u"Каталог/Стандарты/Время/Родительный/Год"));
    } else {
        EXPECT_EQ(sunday, scratch.path() / "Catalog/Standards/Time/Day of Week/Sunday");
        EXPECT_EQ(onDisk(appState.monthsFolder), scratch.path() / "Catalog/Standards/Time/Months");
        EXPECT_EQ(appState.monthsGenitiveFolder, appState.monthsFolder);
        EXPECT_EQ(onDisk(appState.yearFolder), scratch.path() / "Catalog/Standards/Time/Year");
    }
    // A catalog under the other build's name is never read.
    const fs::path other = scratch.path() / (russianBuild() ? "Catalog/Standards/Time/Day of Week/Sunday"
                                                            : utf8(u"Каталог/Стандарты/Время/Именительный/День недели/Воскресение"));
    makeFile(other / "Other.txt");
    EXPECT_EQ(dayOfWeekWord(0), u"");
    makeFile(sunday / "Own.txt");
    EXPECT_EQ(dayOfWeekWord(0), u"Own");
}

TEST_F(StandardWords, DateTimeTextJoinsTheThreeWordsAndTheNumbers) {
    layTree();
    struct Case {
        uint16_t year, month, day, dayOfWeek, hour, minute, second;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {2024, 1, 15, 1, 9, 5, 7, u" day1 09:05:07 15 " + genitive(u"1") + u" 2024 year."},
        {2024, 3, 1, 5, 0, 0, 0, u" day5 00:00:00 01 " + genitive(u"3") + u" 2024 year."},
        {9999, 12, 31, 0, 23, 59, 59, u" day7 23:59:59 31 " + genitive(u"12") + u" 9999 year."},
        {5, 6, 9, 6, 12, 30, 0, u" day6 12:30:00 09 " + genitive(u"6") + u" 5 year."},
        {2024, 0, 1, 2, 1, 2, 3, u" day2 01:02:03 01 " + genitive(u"1") + u" 2024 year."},  // 0 as 1
        {2024, 13, 1, 2, 1, 2, 3, u" day2 01:02:03 01  2024 year."},   // nor 13
        {2024, 1, 15, 7, 9, 5, 7, u""},                                 // no such weekday
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dateTimeText(c.year, c.month, c.day, c.dayOfWeek, c.hour, c.minute, c.second), c.text)
            << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(currentFolderNow(), caller);
    }
}

TEST_F(StandardWords, MissingWordsLeaveTheirSeparators) {
    EXPECT_EQ(dateTimeText(2024, 1, 15, 1, 9, 5, 7), u"  09:05:07 15  2024 .");
    layTree();
    fs::remove_all(onDisk(keyFolder(appState.monthsGenitiveFolder, appState.monthKeys[0])));
    EXPECT_EQ(dateTimeText(2024, 1, 15, 1, 9, 5, 7), u" day1 09:05:07 15  2024 year.");
    fs::remove(onDisk(appState.yearFolder) / "year.txt");
    EXPECT_EQ(dateTimeText(2024, 1, 15, 1, 9, 5, 7), u" day1 09:05:07 15  2024 .");
    EXPECT_EQ(dayOfWeekWord(1), u"day1");
}

TEST_F(StandardWords, RenamedWordShowsAtTheNextRead) {
    layTree();
    const fs::path monday = onDisk(keyFolder(appState.dayOfWeekFolder, appState.dayOfWeekKeys[0]));
    fs::rename(monday / "day1.txt", monday / "Lundi.txt");
    EXPECT_EQ(dayOfWeekWord(1), u"Lundi");
    EXPECT_EQ(dateTimeText(2024, 1, 15, 1, 9, 5, 7).substr(0, 7), u" Lundi ");
}

// The start-up line names the first folder that cannot be listed by its full
// path, the catalog before the standards folders; nothing when all are there.
TEST_F(StandardWords, StartUpLineNamesTheFirstUnreadableCatalogFolder) {
    fs::current_path(scratch.path());
    const auto standardsLine = [this](const std::u16string& folder) {
        return u"orvane: cannot read the standards folder " + programPath(onDisk(folder).lexically_normal()) +
               u": dates are written without its words";
    };
    EXPECT_EQ(unreadableCatalogLine(), u"orvane: cannot read the catalog folder " +
                                           programPath(onDisk(appState.rootFolderName)) +
                                           u": the list stays empty and dates are written without their words");
    layTree();
    EXPECT_EQ(unreadableCatalogLine(), u"");
    fs::remove_all(onDisk(appState.yearFolder));
    EXPECT_EQ(unreadableCatalogLine(), standardsLine(appState.yearFolder));
    fs::remove_all(onDisk(appState.dayOfWeekFolder));
    EXPECT_EQ(unreadableCatalogLine(), standardsLine(appState.dayOfWeekFolder));
}

TEST_F(StandardWords, ReadersPutTheCallersFolderBackOrStayInTheProgramFolder) {
    layTree();
    fake::failCall(fake::Call::findFirstEntryIn, 1);  // a word that cannot be listed
    EXPECT_EQ(dayOfWeekWord(2), u"");
    EXPECT_EQ(currentFolderNow(), caller);

    // When the caller's folder cannot be read there is nothing to go back
    // to: the words are still read and the program folder stays current.
    fs::create_directory(scratch.path() / "Doomed");
    fs::current_path(scratch.path() / "Doomed");
    fs::remove(scratch.path() / "Doomed");
    EXPECT_EQ(monthWord(2), u"month2");
    EXPECT_EQ(currentFolderNow(), scratch.text());

    fs::current_path(scratch.path() / "Caller");
    fake::failCall(fake::Call::getCurrentFolder, 1);
    EXPECT_EQ(dateTimeText(2024, 2, 3, 4, 5, 6, 7), u" day4 05:06:07 03 " + genitive(u"2") + u" 2024 year.");
    EXPECT_EQ(currentFolderNow(), scratch.text());
}

TEST(NumberTexts, DecimalDigitsWithAndWithoutALeadingZero) {
    const std::vector<std::tuple<uint16_t, std::u16string, std::u16string>> cases = {
        {0, u"00", u"0"},       {7, u"07", u"7"},          {10, u"10", u"10"},
        {12, u"12", u"12"},     {123, u"123", u"123"},     {1000, u"1000", u"1000"},
        {9999, u"9999", u"9999"}, {65535, u"65535", u"65535"},
    };
    for (const auto& [value, twoDigits, number] : cases) {
        EXPECT_EQ(twoDigitText(value), twoDigits) << value;
        EXPECT_EQ(numberText(value), number) << value;
    }
}

// The sample catalog laid beside the test programs by the build, copied so
// that nothing here can change it.
TEST_F(StandardWords, SampleCatalogWritesTheWorkedExample) {
    const fs::path beside = posix::bytesFromName(platform::executableFolder());
    const fs::path catalog = beside / utf8(appState.rootFolderName);
    ASSERT_TRUE(fs::is_directory(catalog)) << "the build lays the sample catalog beside the tests";
    fs::copy(catalog, scratch.path() / utf8(appState.rootFolderName), fs::copy_options::recursive);

    const std::u16string expected = russianBuild() ? u" Понедельник 09:05:07 15 января 2024 года."
                                                   : u" Monday 09:05:07 15 January 2024 year.";
    EXPECT_EQ(dateTimeText(2024, 1, 15, 1, 9, 5, 7), expected);
    EXPECT_EQ(dayOfWeekWord(0), russianBuild() ? u"Воскресенье" : u"Sunday");
    EXPECT_EQ(monthWord(5), russianBuild() ? u"Май" : u"May");
    EXPECT_EQ(dateTimeText(2024, 5, 1, 3, 0, 0, 0),
              russianBuild() ? u" Среда 00:00:00 01 мая 2024 года." : u" Wednesday 00:00:00 01 May 2024 year.");
    EXPECT_EQ(currentFolderNow(), caller);
}

}  // namespace
}  // namespace orvane::testing
