// listDirectory: what it lists, and the current folder after every outcome.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "folder_test_support.h"
#include "platform/fake/fake_platform.h"
#include "platform/files.h"
#include "standards/directory_listing.h"

namespace orvane::testing {
namespace {

class ListDirectory : public FolderTest {
protected:
    void SetUp() override {
        FolderTest::SetUp();
        makeFile(scratch.path() / "Browsed" / "Notes.txt");
        makeFile(scratch.path() / "Browsed" / "README");
        makeFile(scratch.path() / "Browsed" / ".hidden");
        fs::create_directories(scratch.path() / "Browsed" / "Inner" / "Deep");
        makeFile(scratch.path() / "file.txt");
        fs::create_directory(scratch.path() / "Caller");
        fs::current_path(scratch.path() / "Caller");
        caller = currentFolderNow();
    }

    ScratchFolder scratch;
    std::u16string caller;
    const DirectoryListing browsed{u".", u"..", u".hidden", u"Inner", u"Notes.txt", u"README"};
};

TEST_F(ListDirectory, ListsEveryEntryAndPutsTheCallersFolderBack) {
    EXPECT_EQ(listDirectory(scratch.text() + u"\\Browsed"), browsed);
    EXPECT_EQ(currentFolderNow(), caller);

    // Relative to the current folder, with either separator and runs of them.
    EXPECT_EQ(listDirectory(u"..\\\\Browsed"), browsed);
    EXPECT_EQ(listDirectory(u"../Browsed\\Inner"), (DirectoryListing{u".", u"..", u"Deep"}));
    EXPECT_EQ(currentFolderNow(), caller);
}

TEST_F(ListDirectory, FolderThatCannotBeEnteredGivesNothing) {
    for (const std::u16string& path : {std::u16string(), std::u16string(u"..\\Missing"),
                                       std::u16string(u"..\\file.txt")}) {
        EXPECT_TRUE(listDirectory(path).empty()) << std::string(path.begin(), path.end());
        EXPECT_EQ(currentFolderNow(), caller);
    }
}

TEST_F(ListDirectory, UnreadableCurrentFolderIsNeverChanged) {
    fs::create_directory(scratch.path() / "Doomed");
    fs::current_path(scratch.path() / "Doomed");
    fs::remove(scratch.path() / "Doomed");

    EXPECT_TRUE(listDirectory(scratch.text() + u"/Browsed").empty());
    std::u16string now;
    EXPECT_FALSE(platform::getCurrentFolder(now));  // still in the deleted folder

    fs::current_path(scratch.path() / "Caller");
    fake::failCall(fake::Call::getCurrentFolder);
    EXPECT_TRUE(listDirectory(scratch.text() + u"/Browsed").empty());
    EXPECT_EQ(currentFolderNow(), caller);
}

TEST_F(ListDirectory, SearchThatCannotStartGivesNothing) {
    fake::failCall(fake::Call::findFirstEntry);
    EXPECT_TRUE(listDirectory(u"../Browsed").empty());
    EXPECT_EQ(currentFolderNow(), caller);
}

TEST_F(ListDirectory, EnumerationEndingEarlyKeepsWhatWasRead) {
    fake::failCall(fake::Call::findNextEntry, 3);
    EXPECT_EQ(listDirectory(u"../Browsed"), (DirectoryListing{u".", u"..", u".hidden"}));
    EXPECT_EQ(currentFolderNow(), caller);
}

TEST_F(ListDirectory, FailedReturnToTheCallersFolderGoesUnnoticed) {
    fake::failCall(fake::Call::setCurrentFolder, 2);
    EXPECT_EQ(listDirectory(u"../Browsed"), browsed);
    EXPECT_EQ(currentFolderNow(), programPath(scratch.path() / "Browsed"));
}

TEST_F(ListDirectory, ChangesOnDiskShowInTheNextListing) {
    fs::rename(scratch.path() / "Browsed" / "Notes.txt", scratch.path() / "Browsed" / "Letters.txt");
    EXPECT_EQ(listDirectory(u"../Browsed"),
              (DirectoryListing{u".", u"..", u".hidden", u"Inner", u"Letters.txt", u"README"}));
}

TEST_F(ListDirectory, CallerInAFolderBeyondTheSystemPathLimitIsPutBack) {
    const std::string component(250, 'c');
    for (int depth = 0; depth < 20; ++depth) {
        fs::create_directory(component);
        fs::current_path(component);
    }
    const std::u16string deep = currentFolderNow();
    ASSERT_GT(deep.size(), 5000u);

    EXPECT_EQ(listDirectory(scratch.text() + u"/Browsed"), browsed);
    EXPECT_EQ(currentFolderNow(), deep);

    for (int depth = 0; depth < 20; ++depth) {
        fs::current_path("..");
        fs::remove(component);
    }
}

}  // namespace
}  // namespace orvane::testing
