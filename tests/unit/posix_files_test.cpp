// The POSIX folder layer: names that round-trip every byte, separators, the
// order of entries, the current folder of any length, the probe.
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "direct_way.h"
#include "entry_order.h"
#include "folder_test_support.h"
#include "platform/posix/posix_files.h"

namespace orvane::testing {
namespace {

using reference::currentFolderEntries;

TEST(PosixNames, DecodesUtf8AndEscapesEveryUndecodableByte) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {"plain.txt", u"plain.txt"},
        {"\xD0\x9C\xD0\xB0\xD0\xB9", u"Май"},
        {"\xF0\x9F\x93\x85", u"\U0001F4C5"},             // four bytes: a surrogate pair
        {"a\xFF" "b", u"a\xDCFF" "b"},                    // a byte that never starts UTF-8
        {"\xC3", u"\xDCC3"},                              // cut short at the end
        {"\xC3(", u"\xDCC3("},                            // lead byte without its continuation
        {"\xC0\xAF", u"\xDCC0\xDCAF"},                    // overlong "/"
        {"\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},          // an encoded surrogate
        {"\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},          // encoded U+DC80 itself
        {"\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},  // above U+10FFFF
        {"\x80\x80\xE2\x82\xAC", u"\xDC80\xDC80\u20AC"},  // stray continuations, then a valid euro sign
        {"back\\slash", u"back\uF05Cslash"},            // a backslash is part of the name
        {"\\", u"\uF05C"},
        {"..\\..\\x", u"..\uF05C..\uF05Cx"},
        {"\xEF\x81\x9C", u"\xDCEF\xDC81\xDC9C"},          // U+F05C spelt out stays apart from "\\"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(posix::nameFromBytes(c.bytes), c.text);
        EXPECT_EQ(posix::bytesFromName(posix::nameFromBytes(c.bytes)), c.bytes);
    }
}

// Every byte string comes back as itself, and a name (no "/" in it, as Linux
// names never hold one) never holds a unit that the program reads as a separator.
TEST(PosixNames, EveryByteRoundTripsAndNoNameHoldsASeparator) {
    for (int first = 1; first < 256; ++first) {
        for (int second = 0; second < 256; second += 15) {
            std::string bytes{static_cast<char>(first), static_cast<char>(second), 'x'};
            const std::u16string name = posix::nameFromBytes(bytes);
            ASSERT_EQ(posix::bytesFromName(name), bytes) << first << " " << second;
            if (bytes.find('/') != std::string::npos) continue;
            ASSERT_EQ(name.find_first_of(u"\\/"), std::u16string::npos) << first << " " << second;
            ASSERT_EQ(posix::systemPath(u"Catalog\\" + name), "Catalog/" + bytes) << first << " " << second;
        }
    }
}

TEST(PosixNames, BothSeparatorsAndRunsOfThemReadAsOne) {
    struct Case {
        std::u16string path;
        std::string system;
    };
    const std::vector<Case> cases = {
        {u"Catalog\\Standards", "Catalog/Standards"},
        {u"Catalog\\\\Standards\\Time\\Day of Week", "Catalog/Standards/Time/Day of Week"},
        {u"/tmp//a\\/\\b", "/tmp/a/b"},
        {u"\\\\", "/"},
        {u"Каталог\\Стандарты", "\xD0\x9A\xD0\xB0\xD1\x82\xD0\xB0\xD0\xBB\xD0\xBE\xD0\xB3/"
                                 "\xD0\xA1\xD1\x82\xD0\xB0\xD0\xBD\xD0\xB4\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B"},
        {u"trailing\\", "trailing/"},
        {u"a\uF05Cb\\c", "a\\b/c"},     // U+F05C is a backslash inside a name
        {u"\uF05C\\\uF05C", "\\/\\"},
    };
    for (const Case& c : cases) EXPECT_EQ(posix::systemPath(c.path), c.system);
}

// Spot values of the generated table across scripts, and the units that a
// Windows table leaves alone although the Unicode data gives them a capital.
TEST(PosixNames, UpcasesEachUnitAsWindowsTablesDo) {
    const std::vector<std::pair<char16_t, char16_t>> cases = {
        {u'a', u'A'}, {u'z', u'Z'}, {u'A', u'A'}, {u'_', u'_'}, {u'{', u'{'},
        {u'é', u'É'}, {u'þ', u'Þ'}, {u'ÿ', u'Ÿ'}, {u'÷', u'÷'}, {u'ß', u'ß'},
        {u'ā', u'Ā'}, {u'ĺ', u'Ĺ'}, {u'ŋ', u'Ŋ'}, {u'ž', u'Ž'}, {u'ŉ', u'ŉ'}, {u'ǆ', u'Ǆ'},
        {u'ɐ', u'Ɐ'}, {u'ḁ', u'Ḁ'}, {u'ẁ', u'Ẁ'}, {u'ỹ', u'Ỹ'},           // Latin Extended and Additional
        {u'α', u'Α'}, {u'ς', u'Σ'}, {u'ά', u'Ά'}, {u'ώ', u'Ώ'}, {u'ἀ', u'Ἀ'},  // Greek and Greek Extended
        {u'а', u'А'}, {u'ё', u'Ё'}, {u'ѡ', u'Ѡ'}, {u'ӏ', u'Ӏ'}, {u'ꙁ', u'Ꙁ'},  // Cyrillic
        {u'ա', u'Ա'}, {u'ֆ', u'Ֆ'}, {u'ა', u'Ა'}, {u'ⴀ', u'Ⴀ'},           // Armenian, Georgian
        {u'ⰰ', u'Ⰰ'}, {u'ⲁ', u'Ⲁ'}, {u'ꭰ', u'Ꭰ'}, {u'ꜳ', u'Ꜳ'},           // Glagolitic, Coptic, Cherokee
        {u'ⅰ', u'Ⅰ'}, {u'ⅿ', u'Ⅿ'}, {u'ⓐ', u'Ⓐ'}, {u'ⓩ', u'Ⓩ'},           // Roman numerals, circled
        {u'ａ', u'Ａ'}, {u'ｚ', u'Ｚ'}, {u'Ａ', u'Ａ'}, {u'ｰ', u'ｰ'},         // fullwidth and halfwidth
        {u'\xD800', u'\xD800'}, {u'\xDCFF', u'\xDCFF'}, {u'\uF05C', u'\uF05C'}, {u'\uFFFF', u'\uFFFF'},
        // A capital that lower-cases to another letter: left alone.
        {u'µ', u'µ'}, {u'ı', u'ı'}, {u'ſ', u'ſ'}, {u'ǅ', u'ǅ'}, {u'ϐ', u'ϐ'}, {u'ϕ', u'ϕ'},
        {u'\u0345', u'\u0345'}, {u'\u1C80', u'\u1C80'}, {u'ẛ', u'ẛ'}, {u'\u1FBE', u'\u1FBE'},
    };
    for (const auto& [unit, upper] : cases) {
        EXPECT_EQ(static_cast<int>(posix::upcaseUnit(unit)), static_cast<int>(upper))
            << "unit " << static_cast<int>(unit);
    }
}

class PosixFolders : public FolderTest {};

TEST_F(PosixFolders, DeliversSelfAndParentFirstThenNtfsOrder) {
    ScratchFolder scratch;
    // In each pair after "ёлка" the small letter sorts before the next capital
    // only once upper-cased.
    const std::vector<std::u16string> names = {
        u"zeta", u"Alpha", u"ABC", u"abc", u"_under", u"édition", u"šum", u"ωmega",
        u"жук", u"ёлка", u"Zulu", u".hidden", u"1file", u"no dot",
        u"ḁ", u"Ḃ", u"ա", u"Բ", u"ⅱ", u"Ⅲ", u"ⓐ", u"Ⓑ", u"ａ", u"Ｂ",
        // Alike in their first sixteen units and more.
        u"LONG COMMON PREFIX B", u"long common prefix A", u"Long common prefix a", u"long common prefix"};
    for (const auto& name : names) makeFile(scratch.path() / utf8(name));
    fs::create_directory(scratch.path() / "Folder");

    ASSERT_TRUE(posix::setCurrentFolder(scratch.text()));
    const std::vector<std::u16string> expected = {
        u".", u"..", u".hidden", u"1file", u"ABC", u"abc", u"Alpha", u"Folder",
        u"long common prefix", u"Long common prefix a", u"long common prefix A", u"LONG COMMON PREFIX B",
        u"no dot", u"zeta", u"Zulu", u"_under", u"édition", u"šum", u"ωmega", u"ёлка", u"жук",
        u"ա", u"Բ", u"ḁ", u"Ḃ", u"ⅱ", u"Ⅲ", u"ⓐ", u"Ⓑ", u"ａ", u"Ｂ"};
    EXPECT_EQ(currentFolderEntries(), expected);
}

// Any names, listed by path: after "." and "..", each is ordered before the
// next by entryNameBefore, the plain comparison (one upper-cased unit at a
// time), whatever their length and however long a start they share.
TEST_F(PosixFolders, ListingByPathOrdersAnyNamesAsTheComparison) {
    ScratchFolder scratch;
    const std::vector<std::u16string> pieces = {u"a", u"A", u"b", u"B", u"z", u"Z", u" ", u"_", u".", u"-", u"1",
                                                 u"É", u"é", u"ÿ", u"Ÿ", u"ж", u"Ж", u"ё", u"Ё", u"Σ", u"σ",
                                                 u"ς", u"\U0001F4C5", u"\xDCC5"};
    uint32_t state = 12345;
    const auto next = [&state](uint32_t below) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % below;
    };
    std::vector<std::u16string> names;
    for (int i = 0; i < 400; ++i) {
        std::u16string name = i % 2 == 0 ? u"Shared start of sixteen+" : u"";
        const uint32_t length = 1 + next(30);
        while (name.size() < length + (i % 2 == 0 ? 24 : 0)) name += pieces[next(static_cast<uint32_t>(pieces.size()))];
        if (name == u"." || name == u"..") continue;
        makeFile(scratch.path() / utf8(name));
        names.push_back(name);
    }
    platform::FolderSearch search;
    std::u16string name;
    std::vector<std::u16string> listed;
    ASSERT_TRUE(posix::findFirstEntryIn(scratch.text(), search, name));
    listed.push_back(name);
    while (posix::findNextEntry(search, name)) listed.push_back(name);
    posix::findClose(search);

    ASSERT_GE(listed.size(), 2u);
    EXPECT_EQ(listed[0], u".");
    EXPECT_EQ(listed[1], u"..");
    const std::vector<std::u16string> rest(listed.begin() + 2, listed.end());
    for (size_t i = 1; i < rest.size(); ++i) {
        EXPECT_TRUE(reference::entryNameBefore(rest[i - 1], rest[i])) << utf8(rest[i - 1]) << " / " << utf8(rest[i]);
    }
    std::vector<std::u16string> made = names;
    std::sort(made.begin(), made.end());
    made.erase(std::unique(made.begin(), made.end()), made.end());
    std::vector<std::u16string> got = rest;
    std::sort(got.begin(), got.end());
    EXPECT_EQ(got, made);
}

TEST_F(PosixFolders, NamesWithUndecodableBytesCanBeUsedAgain) {
    ScratchFolder scratch;
    const std::string fileBytes = "bad\xFF\xFE.txt";
    const std::string folderBytes = "odd\xC0\xAF";
    makeFile(scratch.path() / fileBytes);
    fs::create_directory(scratch.path() / folderBytes);

    ASSERT_TRUE(posix::setCurrentFolder(scratch.text()));
    const auto names = currentFolderEntries();
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[2], u"bad\xDCFF\xDCFE.txt");
    EXPECT_EQ(names[3], u"odd\xDCC0\xDCAF");
    EXPECT_TRUE(posix::probeFile(names[2]));
    EXPECT_TRUE(posix::isRegularFile(names[2]));
    ASSERT_TRUE(posix::setCurrentFolder(names[3]));
    EXPECT_EQ(currentFolderNow(), scratch.text() + u"/odd\xDCC0\xDCAF");
}

TEST_F(PosixFolders, SearchReadsTheFolderOnceAtItsStart) {
    ScratchFolder scratch;
    makeFile(scratch.path() / "one.txt");
    ASSERT_TRUE(posix::setCurrentFolder(scratch.text()));
    platform::FolderSearch search;
    std::u16string name;
    ASSERT_TRUE(posix::findFirstEntry(search, name));
    makeFile(scratch.path() / "two.txt");  // made after the start: not delivered
    std::vector<std::u16string> rest;
    while (posix::findNextEntry(search, name)) rest.push_back(name);
    posix::findClose(search);
    EXPECT_EQ(rest, (std::vector<std::u16string>{u"..", u"one.txt"}));
}

TEST_F(PosixFolders, SetCurrentFolderRefusesWhatIsNotAFolderAndChangesNothing) {
    ScratchFolder scratch;
    makeFile(scratch.path() / "file.txt");
    ASSERT_TRUE(posix::setCurrentFolder(scratch.text()));
    const std::vector<std::u16string> refused = {
        u"", u"missing", u"file.txt", u"file.txt\\", std::u16string(u"ok\0..", 5)};
    for (const auto& path : refused) {
        EXPECT_FALSE(posix::setCurrentFolder(path));
        EXPECT_EQ(currentFolderNow(), scratch.text());
    }
    EXPECT_TRUE(posix::setCurrentFolder(u".."));
    EXPECT_EQ(currentFolderNow(), programPath(scratch.path().parent_path()));
}

TEST_F(PosixFolders, CurrentFolderOfAnyLengthIsReadAndSetAgain) {
    ScratchFolder scratch;
    // Deeper than the system's single-call path limit (4096 bytes).
    const std::string component(200, 'd');
    fs::current_path(scratch.path());
    for (int depth = 0; depth < 30; ++depth) {
        fs::create_directory(component);
        fs::current_path(component);
    }
    std::u16string deep;
    ASSERT_TRUE(posix::getCurrentFolder(deep));
    EXPECT_GT(deep.size(), 6000u);

    ASSERT_TRUE(posix::setCurrentFolder(scratch.text()));
    ASSERT_TRUE(posix::setCurrentFolder(deep));
    EXPECT_EQ(currentFolderNow(), deep);
    EXPECT_FALSE(posix::setCurrentFolder(deep + u"/missing"));
    EXPECT_EQ(currentFolderNow(), deep);

    // Remove the deep chain from its bottom up, one step at a time.
    for (int depth = 0; depth < 30; ++depth) {
        fs::current_path("..");
        fs::remove(component);
    }
}

// The probe finds a file without opening it: a named pipe (or a device, or a
// socket) is never opened, which inotify would report as an open.
TEST_F(PosixFolders, ProbeFindsReadableFilesWithoutOpeningAnything) {
    ScratchFolder scratch;
    makeFile(scratch.path() / "file.txt");
    makeFile(scratch.path() / "locked.txt");
    fs::permissions(scratch.path() / "locked.txt", fs::perms::none);
    fs::create_directory(scratch.path() / "folder");
    ASSERT_EQ(mkfifo((scratch.path() / "pipe").c_str(), 0600), 0);
    ASSERT_TRUE(posix::setCurrentFolder(scratch.text()));
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, (scratch.path() / "pipe").c_str(), IN_OPEN | IN_ACCESS), 0);
    ASSERT_GE(inotify_add_watch(watch, (scratch.path() / "file.txt").c_str(), IN_OPEN | IN_ACCESS), 0);

    EXPECT_TRUE(posix::probeFile(u"file.txt"));
    EXPECT_TRUE(posix::probeFile(u"pipe"));
    EXPECT_FALSE(posix::probeFile(u"folder"));
    EXPECT_FALSE(posix::probeFile(u"missing.txt"));
    EXPECT_FALSE(posix::probeFile(u""));
    if (geteuid() != 0) {
        EXPECT_FALSE(posix::probeFile(u"locked.txt"));  // root reads anything
    }

    char events[4096];
    EXPECT_LT(read(watch, events, sizeof events), 0) << "the probe opened a file";
    close(watch);

    EXPECT_TRUE(posix::isRegularFile(u"file.txt"));
    EXPECT_FALSE(posix::isRegularFile(u"folder"));
    EXPECT_FALSE(posix::isRegularFile(u"pipe"));
    EXPECT_FALSE(posix::isRegularFile(u"missing.txt"));
}

TEST(PosixExecutable, FolderHoldsTheRunningTestProgram) {
    const fs::path folder = posix::bytesFromName(posix::executableFolder());
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(fs::exists(folder / "orvane_unit_en") || fs::exists(folder / "orvane_unit_ru"));
}

}  // namespace
}  // namespace orvane::testing
