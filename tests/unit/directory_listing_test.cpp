// listDirectory and the word readers against the direct way (enter the
// folder, enumerate, go back), on a tree built to tell them apart: every
// listing and every word must agree, and so must the current folder after
// each, from every kind of current folder.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "direct_way.h"
#include "folder_test_support.h"
#include "platform/fake/fake_platform.h"
#include "platform/posix/posix_files.h"
#include "standards/current_folder.h"
#include "standards/directory_listing.h"

namespace orvane::reference {

// Started on "." by the POSIX layer; the rest through the seam, so that a
// failure injected into findNextEntry reaches both ways alike.
DirectoryListing currentFolderEntries() {
    DirectoryListing names;
    platform::FolderSearch search;
    std::u16string name;
    if (!posix::findFirstEntry(search, name)) return names;
    names.push_back(name);
    while (platform::findNextEntry(search, name)) names.push_back(name);
    platform::findClose(search);
    return names;
}

}  // namespace orvane::reference

namespace orvane::testing {
namespace {

using reference::listingDifferences;
using reference::wordDifferences;

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// A chain of 20 folders of 250 characters each (over 5,000 bytes, beyond the
// length the system takes in one call) below `parent`; its whole path.
fs::path makeDeepChain(const fs::path& parent) {
    const std::string component(250, 'd');
    fs::path deep = parent;
    const fs::path before = fs::current_path();
    fs::current_path(parent);
    for (int depth = 0; depth < 20; ++depth) {
        fs::create_directory(component);
        fs::current_path(component);
        deep /= component;
    }
    std::ofstream("bottom.txt") << "x";
    fs::current_path(before);
    return deep;
}

// One tree for every test of the suite, laid once: 10,000 entries take time.
class ListingIdentity : public FolderTest {
protected:
    static void SetUpTestSuite() {
        scratch = new ScratchFolder;
        const fs::path browsed = root() / "Browsed";
        const std::vector<std::u16string> names = {
            u"a b", u" lead", u"trail ", u"x.", u"...", u".hidden", u"a.b.c", u"no dot", u"Май", u"ёлка",
            u"ЖУК", u"abc", u"ABC", u"Abc", u"_under", u"1file", u"édition", u"\U0001F4C5 date",
            std::u16string(255, u'n'), std::u16string(127, u'ж')};
        for (const std::u16string& name : names) makeFile(browsed / utf8(name));
        for (const char* folder : {"Inner", "two  spaces", "dots.in.name", "Ü", "back\\slash"}) {
            makeFile(browsed / folder / "inside.txt");
        }
        makeFile(browsed / "bad\xFF\xFE.txt");
        fs::create_directory(browsed / std::string(255, 'F'));
        makeFile(root() / "file.txt");
        mkfifo((root() / "pipe").c_str(), 0600);
        fs::create_directory_symlink(browsed, root() / "link");
        fs::create_directory_symlink(root() / "Missing", root() / "dangling");
        fs::create_directory(root() / "Empty");

        // 10,000 entries.
        fs::create_directory(root() / "Big");
        for (int i = 0; i < 10000; ++i) {
            std::string name = (root() / "Big" / "n").string();
            name += std::to_string(i * 7919 % 10007);
            name += ".e";
            close(open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
        }
        deep = makeDeepChain(root());
    }
    static void TearDownTestSuite() {
        delete scratch;
        scratch = nullptr;
    }

    static const fs::path& root() { return scratch->path(); }
    static std::u16string text(const fs::path& path) { return programPath(path); }
    // Makes a folder current, of any length.
    static auto enter(const fs::path& folder) {
        return [folder] { posix::setCurrentFolder(programPath(folder)); };
    }

    // Paths of every kind, relative to the scratch folder and absolute.
    std::vector<std::u16string> paths() const {
        std::vector<std::u16string> all = {
            u"", std::u16string(u"Browsed\0x", 9), u"Browsed\\\xDC80", u".", u"..", u"\\", u"/",
            u"Browsed", u"Browsed\\", u"Browsed/", u"Browsed\\\\\\", u".\\Browsed", u"Browsed\\..\\Browsed",
            u"Browsed\\Inner", u"Browsed/two  spaces", u"Browsed\\dots.in.name", u"Browsed\\Ü",
            u"Browsed\\back\\slash", u"Browsed\\" + std::u16string(255, u'F'), u"Browsed\\" + std::u16string(256, u'F'),
            u"Browsed\\a b", u"Missing", u"file.txt", u"file.txt\\", u"file.txt\\sub", u"pipe", u"link",
            u"link\\Inner", u"dangling", u"Empty", u"Big", text(deep), text(deep) + u"\\", text(deep) + u"\\missing",
            text(deep) + u"\\bottom.txt"};
        std::u16string relativeDeep;
        for (int depth = 0; depth < 20; ++depth) relativeDeep += std::u16string(250, u'd') + u"\\";
        all.push_back(relativeDeep);
        for (const char* inside : {"Browsed", "Big", "file.txt", "Missing"}) {
            all.push_back(text(root()) + u"/" + programPath(inside));
        }
        return all;
    }

    static ScratchFolder* scratch;
    static fs::path deep;
};

ScratchFolder* ListingIdentity::scratch = nullptr;
fs::path ListingIdentity::deep;

TEST_F(ListingIdentity, EveryPathListsAsTheDirectWayFromEveryCurrentFolder) {
    // The scratch folder, a folder beyond the one-call path limit, the
    // browsed folder itself, and a deleted current folder.
    EXPECT_EQ(joinLines(listingDifferences(paths(), enter(root()))), "");
    EXPECT_EQ(joinLines(listingDifferences(paths(), enter(deep))), "");
    EXPECT_EQ(joinLines(listingDifferences(paths(), enter(root() / "Browsed"))), "");
    const auto deleted = [] {
        fs::current_path(root());
        fs::create_directory(root() / "Doomed");
        fs::current_path(root() / "Doomed");
        fs::remove(root() / "Doomed");
    };
    EXPECT_EQ(joinLines(listingDifferences(paths(), deleted)), "");

    // What both agree on, in a few words: the listing itself.
    fs::current_path(root());
    const DirectoryListing inner = listDirectory(u"Browsed\\Inner");
    EXPECT_EQ(inner, (DirectoryListing{u".", u"..", u"inside.txt"}));
    EXPECT_EQ(listDirectory(u"Big").size(), 10002u);
    EXPECT_TRUE(listDirectory(u"").empty());
}

// A folder that can be read but not searched cannot be entered, and one that
// can be searched but not read cannot be enumerated. Root passes both checks,
// so as root the comparison runs in a child process as "nobody".
TEST_F(ListingIdentity, FoldersWithoutPermissionFailAsTheDirectWayDoes) {
    struct Locked {
        const char* name;
        fs::perms mode;
    };
    const std::vector<Locked> locked = {
        {"ReadOnly", fs::perms::owner_read | fs::perms::others_read},
        {"SearchOnly", fs::perms::owner_exec | fs::perms::others_exec},
        {"Closed", fs::perms::none},
    };
    std::vector<std::u16string> lockedPaths;
    for (const Locked& folder : locked) {
        makeFile(root() / folder.name / "inside.txt");
        fs::create_directory(root() / folder.name / "Inner");
        fs::permissions(root() / folder.name, folder.mode);
        for (const char* inside : {"", "\\", "\\Inner"}) {
            lockedPaths.push_back(programPath(folder.name) + programPath(inside));
        }
    }
    const auto reset = [] { fs::current_path(root()); };

    std::string differences;
    if (geteuid() != 0) {
        differences = joinLines(listingDifferences(lockedPaths, reset));
    } else {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            std::string found = "could not become nobody\n";
            if (setgid(65534) == 0 && setuid(65534) == 0) {
                found = joinLines(listingDifferences(lockedPaths, reset));
                fs::current_path(root());
                if (!listDirectory(u"ReadOnly").empty() || !listDirectory(u"SearchOnly").empty()) {
                    found += "a locked folder was listed\n";
                }
            }
            const ssize_t written = write(pipeEnds[1], found.data(), found.size());
            _exit(written == static_cast<ssize_t>(found.size()) ? 0 : 1);
        }
        close(pipeEnds[1]);
        char buffer[4096];
        ssize_t got = 0;
        while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) differences.append(buffer, static_cast<size_t>(got));
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const Locked& folder : locked) fs::permissions(root() / folder.name, fs::perms::owner_all);
    EXPECT_EQ(differences, "");
}

// No descriptor left: a folder can still be entered but not enumerated.
TEST_F(ListingIdentity, FolderThatCannotBeOpenedForListing) {
    fs::current_path(root());
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    rlimit lowered = limit;
    lowered.rlim_cur = std::min<rlim_t>(limit.rlim_cur, 256);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
    std::vector<int> taken;
    for (int file = open("/dev/null", O_RDONLY | O_CLOEXEC); file >= 0; file = open("/dev/null", O_RDONLY | O_CLOEXEC)) {
        taken.push_back(file);
    }
    const std::vector<std::string> differences =
        listingDifferences({u"Browsed", u"Empty"}, [] { fs::current_path(root()); });
    const bool emptyWhileFull = listDirectory(u"Browsed").empty();
    for (int file : taken) close(file);
    setrlimit(RLIMIT_NOFILE, &limit);
    EXPECT_EQ(joinLines(differences), "");
    EXPECT_TRUE(emptyWhileFull);
}

// Failures only the fake can make: the current folder cannot be read, an
// enumeration that ends after a few names. Both ways use the same calls.
TEST_F(ListingIdentity, InjectedFailuresEndBothWaysAlike) {
    const auto reset = [] { fs::current_path(root()); };
    // Each way reads the current folder once, and once more is read after it.
    fake::failCall(fake::Call::getCurrentFolder, 1);
    fake::failCall(fake::Call::getCurrentFolder, 3);
    EXPECT_EQ(joinLines(listingDifferences({u"Browsed"}, reset)), "");
    for (int occurrence : {1, 5, 20}) {
        fake::reset();
        fake::failCall(fake::Call::findNextEntry, occurrence);
        fake::failCall(fake::Call::findNextEntry, 2 * occurrence);  // the same call of the second way
        EXPECT_EQ(joinLines(listingDifferences({u"Big"}, reset)), "") << occurrence;
    }
    fake::reset();
    fake::failCall(fake::Call::findFirstEntryIn);
    fs::current_path(root());
    EXPECT_TRUE(listDirectory(u"Browsed").empty());
    EXPECT_EQ(currentFolderNow(), text(root()));
}

class WordIdentity : public FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        saved = appState.programFolder;
        program = scratch.path() / "Program";
        const auto word = [this](const std::u16string& folder, const std::u16string& name) {
            makeFile(program / posix::systemPath(folder) / utf8(name));
        };
        // Word files named from a letter and a run as long as the key's position.
        const auto name = [](const char16_t* first, size_t run, char16_t unit, const char16_t* last) {
            std::u16string text = first;
            text.append(run, unit);
            return text += last;
        };
        for (size_t i = 0; i < 7; ++i) {
            word(appState.dayOfWeekFolder + u"\\" + appState.dayOfWeekKeys[i], name(u"d", i + 1, u'ы', u".txt"));
        }
        for (size_t i = 0; i < 12; ++i) {
            word(appState.monthsFolder + u"\\" + appState.monthKeys[i], name(u"m", i + 1, u'.', u"x"));
            word(appState.monthsGenitiveFolder + u"\\" + appState.monthKeys[i], name(u"g ", i + 1, u'y', u""));
        }
        word(appState.yearFolder, u"year.txt");
        fs::remove_all(program / posix::systemPath(appState.dayOfWeekFolder + u"\\" + appState.dayOfWeekKeys[2]));
        fs::create_directory(scratch.path() / "Elsewhere");
        appState.programFolder = programPath(program);
    }
    void TearDown() override {
        appState.programFolder = saved;
        FolderTest::TearDown();
    }

    ScratchFolder scratch;
    fs::path program;
    std::u16string saved;
};

TEST_F(WordIdentity, EveryWordAndTextAsTheDirectWayFromEveryCurrentFolder) {
    const fs::path elsewhere = scratch.path() / "Elsewhere";
    const auto enter = [](const fs::path& folder) { return [folder] { fs::current_path(folder); }; };
    const auto deleted = [this] {
        fs::create_directory(scratch.path() / "Doomed");
        fs::current_path(scratch.path() / "Doomed");
        fs::remove(scratch.path() / "Doomed");
    };
    EXPECT_EQ(joinLines(wordDifferences(enter(program))), "");
    EXPECT_EQ(joinLines(wordDifferences(enter(elsewhere))), "");
    EXPECT_EQ(joinLines(wordDifferences(deleted)), "");

    // The program's folder gone: every reader fails to enter it, from
    // anywhere (words are then read relative to the caller's folder).
    fs::rename(program, scratch.path() / "Moved");
    EXPECT_EQ(joinLines(wordDifferences(enter(elsewhere))), "");
    EXPECT_EQ(joinLines(wordDifferences(enter(scratch.path() / "Moved"))), "");
    EXPECT_EQ(joinLines(wordDifferences(deleted)), "");

    fs::rename(scratch.path() / "Moved", program);
    fs::current_path(program);
    EXPECT_EQ(dayOfWeekWord(1), u"dы");
    EXPECT_EQ(dateTimeText(2024, 2, 15, 3, 9, 5, 7), u"  09:05:07 15 g yy 2024 year.");  // no Wednesday
}

// In a frame the program's folder is current already: listings and words then
// change the current folder not once, and a frame's own change is skipped.
TEST_F(WordIdentity, NoFolderChangeWhenTheProgramFolderIsCurrent) {
    fs::current_path(program);
    fake::failCall(fake::Call::setCurrentFolder);  // counts every change (and fails it)
    EXPECT_TRUE(makeFolderCurrent(programPath(program)));
    EXPECT_EQ(dateTimeText(2024, 2, 15, 1, 9, 5, 7), u" dы 09:05:07 15 g yy 2024 year.");
    EXPECT_EQ(monthWord(2), appState.monthsGenitiveFolder == appState.monthsFolder ? u"g yy" : u"m.");
    EXPECT_EQ(listDirectory(u"..").size(), 4u);  // ".", "..", "Elsewhere", "Program"
    EXPECT_EQ(fake::fakePlatform().failures[0].seen, 0);

    EXPECT_FALSE(makeFolderCurrent(programPath(scratch.path() / "Elsewhere")));
    EXPECT_EQ(fake::fakePlatform().failures[0].seen, 1);
}

}  // namespace
}  // namespace orvane::testing
