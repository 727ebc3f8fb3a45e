// listDirectory: enumerate "*.*" of a folder by its path. The folder is never
// entered, so the caller's current folder stays current throughout and there
// is nothing to save or put back.
#include "standards/directory_listing.h"

#include <utility>

#include "platform/files.h"

namespace orvane {

DirectoryListing listDirectory(const std::u16string& folderPath) {
    DirectoryListing listing;

    // A listing gives what entering the folder and enumerating it there
    // gives, and entering it starts by saving the caller's current folder:
    // so it needs a current folder that can be read, and from a deleted
    // current folder nothing is listed, whatever the path.
    std::u16string current;
    if (!platform::getCurrentFolder(current)) return listing;

    platform::FolderSearch search;
    std::u16string name;
    if (platform::findFirstEntryIn(folderPath, search, name)) {
        listing.push_back(std::move(name));
        while (platform::findNextEntry(search, name)) listing.push_back(std::move(name));
        platform::findClose(search);
    }
    return listing;
}

}  // namespace orvane
