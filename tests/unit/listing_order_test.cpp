// The order of a listing where the file system does not deliver "." and ".."
// first (cloud drives, shared folders of virtual machines, third-party
// drivers): the fake's scripted folders hand their names out as the Windows
// backend does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "platform/windows_path_rules.h"
#include "standards/directory_listing.h"
#include "standards/standard_words.h"

namespace orvane::testing {
namespace {

TEST(ListingOrder, SelfAndParentFirstWhereverTheFileSystemPutsThem) {
    fake::reset();
    struct Case {
        const char* what;
        std::vector<std::u16string> delivered;  // in the file system's order
        bool volumeRoot;
        DirectoryListing listed;
    };
    const std::vector<Case> cases = {
        {"dots first", {u".", u"..", u"b", u"a"}, false, {u".", u"..", u"b", u"a"}},
        {"dots late", {u"b", u"..", u"a", u"."}, false, {u".", u"..", u"b", u"a"}},
        {"dots missing", {u"b", u"a"}, false, {u".", u"..", u"b", u"a"}},
        {"parent missing", {u"b", u".", u"a"}, false, {u".", u"..", u"b", u"a"}},
        {"names that start with dots", {u"..x", u".hidden", u"...", u".."}, false,
         {u".", u"..", u"..x", u".hidden", u"..."}},
        {"nothing at all", {}, false, {u".", u".."}},
        {"root without dots", {u"b", u"a"}, true, {u"b", u"a"}},
        {"root with dots late", {u"b", u"..", u"."}, true, {u".", u"..", u"b"}},
        {"empty root", {}, true, {}},
    };
    for (const Case& c : cases) {
        fake::fakePlatform().scriptedFolders[u"D:\\Shared"] = {c.delivered, c.volumeRoot};
        EXPECT_EQ(listDirectory(u"D:\\Shared"), c.listed) << c.what;
    }

    // A word folder on such a file system still gives its one entry's name.
    for (const std::vector<std::u16string>& delivered :
         {std::vector<std::u16string>{u"Annum.txt", u"..", u"."}, std::vector<std::u16string>{u"Annum.txt"}}) {
        fake::fakePlatform().scriptedFolders[u"Catalog\\Year"] = {delivered, false};
        EXPECT_EQ(readStandardWord(u"Catalog\\Year"), u"Annum");
    }
    fake::reset();
}

std::string ascii(std::u16string_view path) { return std::string(path.begin(), path.end()); }

// Which folders Windows lists without "." and "..": the roots of volumes, as
// their full paths show them. Anything else gets both, also where the system
// cannot say which volume the folder is on.
TEST(ListingOrder, VolumeRootsByTheFormOfTheirPaths) {
    for (const char16_t* root : {u"C:\\", u"z:/", u"\\\\server\\share", u"\\\\server\\share\\",
                                 u"\\\\?\\C:\\", u"\\\\?\\C:", u"\\\\.\\D:\\", u"\\\\?\\UNC\\server\\share\\",
                                 u"\\\\?\\unc\\server\\share", u"\\\\?\\Volume{0f3a2b1c-0000-0000-0000-100000000000}\\"}) {
        EXPECT_TRUE(platform::isVolumeRootByForm(root)) << ascii(root);
    }
    for (const char16_t* folder :
         {u"C:\\Windows", u"C:", u"C:\\Windows\\", u"\\\\server", u"\\\\server\\share\\folder",
          u"\\\\?\\C:\\Windows", u"\\\\?\\UNC\\server\\share\\folder", u"\\\\?\\Volume{0f3a}\\Data",
          u"\\\\server\\\\share", u"Catalog", u"", u"\\"}) {
        EXPECT_FALSE(platform::isVolumeRootByForm(folder)) << ascii(folder);
    }
}

}  // namespace
}  // namespace orvane::testing
