// The order of a listing where the file system does not deliver "." and ".."
// first (cloud drives, shared folders of virtual machines, third-party
// drivers): the fake's scripted folders hand their names out as the Windows
// backend does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
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

}  // namespace
}  // namespace orvane::testing
